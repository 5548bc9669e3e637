#include "app/core/pictures/plane_canvas.h"

#include <cmath>
#include <utility>

namespace app {

namespace {

// The batch window keeps pixels within this of the origin, half the 32-bit range, which leaves
// room for the rounding of the window's own edges.
constexpr double SafeReach = 1073741824.0; // 2^30
// Offsets beyond this could make that rounding larger than the room left.
constexpr double MaxOffset = 1099511627776.0; // 2^40

} // namespace

void PlaneCanvas::DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
    plane::Rgb colour, std::int32_t penWidth)
{
    m_plane.SetPenWidth(penWidth);
    m_plane.DrawLine(start, end, colour.red, colour.green, colour.blue);
}

lsystem::BatchWindow PlaneCanvas::batchWindow() const
{
    const plane::Viewport& mapping = m_plane;
    const auto usable = [](double scale, double offset) {
        return std::isfinite(scale) && scale != 0.0 && std::fabs(offset) <= MaxOffset;
    };
    if (!usable(mapping.ScaleX, mapping.OffsetX) || !usable(mapping.ScaleY, mapping.OffsetY))
        return {};
    // column = ScaleX * x + OffsetX and row = OffsetY - ScaleY * y within +-SafeReach.
    double left = (-SafeReach - mapping.OffsetX) / mapping.ScaleX;
    double right = (SafeReach - mapping.OffsetX) / mapping.ScaleX;
    double bottom = (mapping.OffsetY - SafeReach) / mapping.ScaleY;
    double top = (mapping.OffsetY + SafeReach) / mapping.ScaleY;
    if (left > right)
        std::swap(left, right);
    if (bottom > top)
        std::swap(bottom, top);
    return { left, right, bottom, top };
}

// The plane's drawing compiled into one loop, without the far-line check: every end lies in the
// batch window. The mapping is copied into the loop's registers, since the raster's writes could
// otherwise be changing it for all the compiler knows.
void PlaneCanvas::DrawSegments(
    const lsystem::BatchedSegment* segments, std::size_t count, plane::Rgb colour)
{
    plane::Plane& plane = m_plane;
    const plane::Viewport mapping = plane;
    for (std::size_t i = 0; i < count; ++i) {
        const lsystem::BatchedSegment& segment = segments[i];
        const auto start = mapping.PixelNearPoint(segment.startX, segment.startY);
        const auto end = mapping.PixelNearPoint(segment.endX, segment.endY);
        plane.SetPenWidth(segment.penWidth);
        plane.DrawPixelLine(start.x, start.y, end.x, end.y, colour);
    }
}

} // namespace app
