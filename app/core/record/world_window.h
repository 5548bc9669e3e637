#pragma once

#include "lsystem/walk/canvas.h"

#include <limits>
#include <optional>
#include <string>

namespace app {

// A rectangle of the world plane: left, right, bottom and top bound, as in the panel's fields.
struct WorldWindow {
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
};

// Remembers the extent of everything drawn on it: the bounds of the segments' end points.
class BoundsCanvas final : public lsystem::Canvas {
public:
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;

    // The smallest window holding every end point; while nothing is drawn, one of no extent
    // (left above right), which FitWindow refuses.
    WorldWindow bounds() const { return { m_left, m_right, m_bottom, m_top }; }

private:
    void Include(double x, double y);

    double m_left = std::numeric_limits<double>::infinity();
    double m_right = -std::numeric_limits<double>::infinity();
    double m_bottom = std::numeric_limits<double>::infinity();
    double m_top = -std::numeric_limits<double>::infinity();
};

// The window that shows `bounds` on the square plane: equal scale on both axes, centred, with
// `margin` of the larger extent added on every side. None when the bounds have no extent.
std::optional<WorldWindow> FitWindow(const WorldWindow& bounds, double margin = 0.05);

// The window zoomed by `factor` (above 1 shows more detail) about the world point (x, y), which
// stays where it is on the plane.
WorldWindow ZoomWindow(const WorldWindow& window, double x, double y, double factor);

// The window moved by (dx, dy) world units.
WorldWindow PanWindow(const WorldWindow& window, double dx, double dy);

// The four bounds as texts for the window fields: plain numbers (no exponent, which the
// expressions do not take) of at most 6 significant digits, written with a point. Each is
// rounded outwards, so the texts' window holds the given one.
struct WindowTexts {
    std::string x1;
    std::string x2;
    std::string y1;
    std::string y2;
};
WindowTexts FormatWindow(const WorldWindow& window);

} // namespace app
