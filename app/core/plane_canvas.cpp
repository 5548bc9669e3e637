#include "app/core/plane_canvas.h"

namespace app {

void PlaneCanvas::DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
    plane::Rgb colour, std::int32_t penWidth)
{
    m_plane.SegStart = start;
    m_plane.SegEnd = end;
    m_plane.SetPenWidth(penWidth);
    m_plane.DrawLine(start, end, colour.red, colour.green, colour.blue);
}

} // namespace app
