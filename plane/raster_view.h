#pragma once

#include "plane/raster.h"

#include <QWidget>

namespace plane {

// Shows a raster as it is, without copying it: each paint wraps the raster's own rows in an
// image and draws only the exposed area. The raster must outlive the view; parts of the view
// beyond the raster show white.
class RasterView : public QWidget {
    Q_OBJECT

public:
    RasterView(const Raster& raster, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Raster& m_raster;
};

} // namespace plane
