#pragma once

#include "plane/raster.h"

#include <QPointF>
#include <QPolygonF>
#include <QWidget>

#include <optional>

namespace plane {

// Shows a raster as it is, without copying it: each paint wraps the raster's own rows in an
// image and draws only the exposed area. The raster must outlive the view; parts of the view
// beyond the raster show white.
//
// The mouse wheel over the view asks to zoom and a drag with the left button to pan; it acts on
// neither itself. While it is not interactive it asks for nothing; a drag goes on gathering and
// asks for all of it at the next move once the view is interactive again.
class RasterView : public QWidget {
    Q_OBJECT

public:
    RasterView(const Raster& raster, QWidget* parent);

    // A marker shown over the raster, never drawn into it: a small arrow head at `at` (pixels)
    // pointing along `heading` (radians from +x, y pointing down); none hides it.
    void SetMarker(std::optional<QPointF> at, double heading = 0.0);

    void SetInteractive(bool interactive) { m_interactive = interactive; }

signals:
    // Zoom about the view's pixel `at`; positive notches show more detail.
    void zoomRequested(QPointF at, double notches);
    // Move the view by the drag from pixel `from` to `to`.
    void panRequested(QPointF from, QPointF to);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPolygonF MarkerShape() const;
    // Asks to pan by the drag up to `to`; false when no drag is under way.
    bool Drag(QPointF to);

    const Raster& m_raster;
    std::optional<QPointF> m_marker;
    double m_heading = 0.0;
    bool m_interactive = true;
    // Where the drag under way was last applied from; none while not dragging.
    std::optional<QPointF> m_dragFrom;
};

} // namespace plane
