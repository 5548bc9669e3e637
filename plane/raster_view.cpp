#include "plane/raster_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace plane {

RasterView::RasterView(const Raster& raster, QWidget* parent)
    : QWidget(parent)
    , m_raster(raster)
{
    // Every paint covers its whole area and the picture does not move when the view grows, so
    // Qt neither clears the background first nor repaints what was already shown.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
}

void RasterView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect rasterArea(0, 0, m_raster.width(), m_raster.height());
    const QRegion shown = event->region().intersected(rasterArea);
    if (!shown.isEmpty()) {
        const QImage image(m_raster.bits(), m_raster.width(), m_raster.height(), m_raster.stride(),
            QImage::Format_RGB888);
        for (const QRect& area : shown)
            painter.drawImage(area.topLeft(), image, area);
    }
    for (const QRect& area : event->region().subtracted(rasterArea))
        painter.fillRect(area, Qt::white);
    if (m_marker) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1.0));
        painter.setBrush(QColor(255, 140, 0));
        painter.drawPolygon(MarkerShape());
    }
}

void RasterView::SetMarker(std::optional<QPointF> at, double heading)
{
    constexpr int Margin = 2;
    if (m_marker)
        update(MarkerShape().boundingRect().toAlignedRect().adjusted(
            -Margin, -Margin, Margin, Margin));
    m_marker = at;
    m_heading = heading;
    if (m_marker)
        update(MarkerShape().boundingRect().toAlignedRect().adjusted(
            -Margin, -Margin, Margin, Margin));
}

QPolygonF RasterView::MarkerShape() const
{
    // An arrow head 12 pixels long with its tip at the turtle.
    constexpr double Length = 12.0;
    constexpr double HalfWidth = 5.0;
    const QPointF along(std::cos(m_heading), std::sin(m_heading));
    const QPointF across(-along.y(), along.x());
    const QPointF tip = *m_marker;
    const QPointF base = tip - along * Length;
    return QPolygonF({ tip, base + across * HalfWidth, base - across * HalfWidth });
}

} // namespace plane
