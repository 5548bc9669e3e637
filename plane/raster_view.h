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
class RasterView : public QWidget {
    Q_OBJECT

public:
    RasterView(const Raster& raster, QWidget* parent);

    // A marker shown over the raster, never drawn into it: a small arrow head at `at` (pixels)
    // pointing along `heading` (radians from +x, y pointing down); none hides it.
    void SetMarker(std::optional<QPointF> at, double heading = 0.0);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPolygonF MarkerShape() const;

    const Raster& m_raster;
    std::optional<QPointF> m_marker;
    double m_heading = 0.0;
};

} // namespace plane
