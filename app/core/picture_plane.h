#pragma once

#include "app/core/plane_canvas.h"
#include "app/core/scaled_pen_canvas.h"
#include "plane/plane.h"

namespace app {

// A white size × size plane that figures are drawn on as a picture of them draws them: each
// figure's window mapped onto the whole plane, pens scaled by size / PlaneSize, so that the
// figure looks as on the plane. Every PNG picture and every frame of an animation is drawn on
// one, so that their pixels agree.
class PicturePlane {
public:
    explicit PicturePlane(int size);
    PicturePlane(const PicturePlane&) = delete;
    PicturePlane& operator=(const PicturePlane&) = delete;

    MappedCanvas& canvas() { return m_canvas; }
    const plane::Raster& raster() const { return m_plane.raster(); }
    plane::Raster& raster() { return m_plane.raster(); }

private:
    plane::Plane m_plane;
    PlaneCanvas m_planeCanvas;
    ScaledPenCanvas m_canvas;
};

} // namespace app
