#include "app/io/painter_canvas.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>

namespace app {

namespace {

// QPainterPath drops a line to the point where it stands, so a dot (a vertex at the subpath's
// own start) is drawn as a line of one unit: round caps make it a disc the width of the pen, as
// on the plane.
constexpr double DotLength = 1.0;

QPointF PointOf(ViewUnits point)
{
    return { static_cast<double>(point.x), static_cast<double>(point.y) };
}

} // namespace

void PainterCanvas::DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
    plane::Rgb colour, std::int32_t penWidth)
{
    m_runs.Draw(*this, start, end, colour, penWidth);
}

void PainterCanvas::BeginPath(plane::Rgb colour, std::int32_t width)
{
    m_colour = colour;
    m_width = width;
}

void PainterCanvas::EndPath()
{
    StrokePath();
}

// A subpath starts with its move and first vertex in one path, so that no path holds a lone
// move.
void PainterCanvas::MoveTo(ViewUnits point)
{
    if (m_path.elementCount() + 2 > PathPoints)
        StrokePath();
    m_path.moveTo(PointOf(point));
    m_last = point;
}

// A full path is stroked, and the run goes on in the next from the last vertex. The first vertex
// after a move always has room, so a dot is never split from its move.
void PainterCanvas::WriteVertex(ViewUnits point)
{
    const bool dot = point == m_last;
    if (m_path.elementCount() >= PathPoints) {
        StrokePath();
        m_path.moveTo(PointOf(m_last));
    }
    m_path.lineTo(dot ? PointOf(point) + QPointF(DotLength, 0.0) : PointOf(point));
    m_last = point;
}

void PainterCanvas::StrokePath()
{
    if (m_path.elementCount() == 0)
        return;
    m_painter.strokePath(m_path,
        QPen(QColor(m_colour.red, m_colour.green, m_colour.blue), m_width * UnitsPerPixel,
            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_path.clear();
}

} // namespace app
