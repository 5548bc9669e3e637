#include "app/core/pictures/view_segment.h"

#include "fpu/floating_point_error.h"
#include "plane/clip.h"

namespace app {

namespace {

// The plane raises this fault for a point it cannot round to a pixel; the figure ends there.
double Drawable(double pixel)
{
    fpu::RoundToInt64(pixel);
    return pixel;
}

} // namespace

std::optional<ViewSegment> MapToView(
    const plane::Viewport& mapping, const plane::TVector3& start, const plane::TVector3& end)
{
    ViewSegment segment;
    segment.x0 = Drawable(mapping.Column(start.x));
    segment.y0 = Drawable(mapping.Row(start.y));
    segment.x1 = Drawable(mapping.Column(end.x));
    segment.y1 = Drawable(mapping.Row(end.y));
    if (!plane::ClipSegment(segment.x0, segment.y0, segment.x1, segment.y1, -ViewReach, -ViewReach,
            ViewReach, ViewReach))
        return std::nullopt;
    return segment;
}

} // namespace app
