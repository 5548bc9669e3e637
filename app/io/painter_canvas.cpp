#include "app/io/painter_canvas.h"

#include "app/core/pictures/view_segment.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <cmath>
#include <optional>

namespace app {

namespace {

// QPainterPath drops a line to the point where it stands, so a dot is drawn as a line of one
// unit: round caps make it a disc the width of the pen, as on the plane.
constexpr double DotLength = 1.0;

QPointF Units(double x, double y)
{
    return { std::round(x * PainterCanvas::UnitsPerPixel),
        std::round(y * PainterCanvas::UnitsPerPixel) };
}

} // namespace

void PainterCanvas::DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
    plane::Rgb colour, std::int32_t penWidth)
{
    m_pen.Set(penWidth);
    const std::int32_t width = m_pen.drawn();
    const std::optional<ViewSegment> segment = MapToView(m_mapping, start, end);
    if (!segment)
        return;
    const QPointF from = Units(segment->x0, segment->y0);
    if (m_path.elementCount() == 0 || colour != m_colour || width != m_width) {
        StrokePath();
        m_colour = colour;
        m_width = width;
        MoveTo(from);
    } else if (from != m_end) {
        EndSubpath();
        MoveTo(from);
    } else if (m_path.elementCount() >= PathPoints) {
        StrokePath();
        MoveTo(from);
    }
    LineTo(Units(segment->x1, segment->y1));
}

void PainterCanvas::StrokePath()
{
    // Counted, not isEmpty(): a path of one move is empty to Qt but may be a dot.
    if (m_path.elementCount() == 0)
        return;
    EndSubpath();
    m_painter.strokePath(m_path,
        QPen(QColor(m_colour.red, m_colour.green, m_colour.blue), m_width * UnitsPerPixel,
            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_path.clear();
}

void PainterCanvas::MoveTo(QPointF point)
{
    m_path.moveTo(point);
    m_end = point;
    m_dot = true;
}

void PainterCanvas::LineTo(QPointF point)
{
    if (point == m_end)
        return;
    m_path.lineTo(point);
    m_end = point;
    m_dot = false;
}

void PainterCanvas::EndSubpath()
{
    if (m_dot)
        m_path.lineTo(m_end + QPointF(DotLength, 0.0));
    m_dot = false;
}

} // namespace app
