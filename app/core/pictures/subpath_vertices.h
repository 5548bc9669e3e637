#pragma once

#include <cstdint>
#include <optional>

namespace app {

// Vector pictures write the view's points rounded to hundredths of a pixel.
inline constexpr double UnitsPerViewPixel = 100.0;

// A point of the view in hundredths of a pixel.
struct ViewUnits {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const ViewUnits&, const ViewUnits&) = default;
};

// The view's point (x, y), in pixels, rounded to the nearest hundredth.
ViewUnits ToViewUnits(double x, double y);

// The vertices that a subpath of consecutive segments is written with: a segment going on in
// the direction of the one before merges with it, one of zero length adds nothing, and a subpath
// of no length at all ends where it starts, which round caps draw as a dot. The last vertex is
// held back until a segment turns away from it or the subpath ends.
class SubpathVertices {
public:
    // Starts a subpath at `start`, the point its move goes to.
    void Start(ViewUnits start);
    // Goes on to `point`; returns the vertex that this makes final, if any.
    std::optional<ViewUnits> LineTo(ViewUnits point);
    // Where the subpath ends so far: the vertex that ending it writes last.
    ViewUnits end() const { return m_end; }

private:
    ViewUnits m_end;
    bool m_pending = false; // m_end is a vertex held back, collinear points may extend it
    ViewUnits m_direction; // of the held-back vertex's segment
};

} // namespace app
