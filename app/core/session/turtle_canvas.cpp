#include "app/core/session/turtle_canvas.h"

namespace app {

TurtleCanvas::TurtleCanvas(plane::Plane& plane)
    : m_plane(plane)
    , m_canvas(plane)
{
}

void TurtleCanvas::DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
    plane::Rgb colour, std::int32_t penWidth)
{
    m_canvas.DrawSegment(start, end, colour, penWidth);
    const double x0 = m_plane.Column(start.x);
    const double y0 = m_plane.Row(start.y);
    const double x1 = m_plane.Column(end.x);
    const double y1 = m_plane.Row(end.y);
    if (x1 != x0 || y1 != y0)
        m_heading = std::atan2(y1 - y0, x1 - x0);
    m_marker = TurtleMarker { x1, y1, m_heading };
    ++m_segments;
}

} // namespace app
