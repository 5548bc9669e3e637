#include "plane/raster_view.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

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
}

} // namespace plane
