#include "plane/raster_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace plane {

namespace {

// A notch of the mouse wheel in QWheelEvent::angleDelta() units.
constexpr double EighthsOfDegreePerNotch = 120.0;

} // namespace

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

void RasterView::wheelEvent(QWheelEvent* event)
{
    if (m_interactive)
        emit zoomRequested(event->position(), event->angleDelta().y() / EighthsOfDegreePerNotch);
    event->accept();
}

void RasterView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragFrom = event->position();
}

void RasterView::mouseMoveEvent(QMouseEvent* event)
{
    if (!Drag(event->position()))
        QWidget::mouseMoveEvent(event);
}

void RasterView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!Drag(event->position())) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragFrom.reset();
}

bool RasterView::Drag(QPointF to)
{
    if (!m_dragFrom)
        return false;
    if (m_interactive && to != *m_dragFrom)
        emit panRequested(*std::exchange(m_dragFrom, to), to);
    return true;
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
