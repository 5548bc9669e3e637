#pragma once

#include "lsystem/turtle.h"
#include "plane/plane.h"

#include <functional>
#include <utility>

namespace lsystem {

// Draws the walk on a plane: each segment goes to the plane's SegStart and SegEnd and is drawn
// with DrawLine in the walk's colour, the pen taking the segment's width first (a negative
// width leaves the pen as it is). Progress() calls the optional `progress` function, through
// which a window shows what has been drawn so far and takes input; the walk calls it every
// few thousand symbols, so a handler that repaints should also limit itself by time.
class PlaneCanvas final : public Canvas {
public:
    explicit PlaneCanvas(plane::Plane& plane, std::function<void()> progress = {})
        : m_plane(plane)
        , m_progress(std::move(progress))
    {
    }

    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;
    void Progress() override;

private:
    plane::Plane& m_plane;
    std::function<void()> m_progress;
};

} // namespace lsystem
