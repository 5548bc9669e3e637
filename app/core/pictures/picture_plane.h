#pragma once

#include "app/core/pictures/plane_canvas.h"
#include "app/core/pictures/scaled_pen_canvas.h"
#include "plane/plane.h"

#include <optional>

namespace app {

// A white size × size plane that figures are drawn on as a picture of them draws them: each
// figure's window mapped onto the whole plane, pens scaled by size / PlaneSize, so that the
// figure looks as on the plane. Every PNG picture and every frame of an animation is drawn on
// one, so that their pixels agree.
class PicturePlane {
public:
    // PictureMemoryError when memory cannot hold the raster.
    explicit PicturePlane(int size);
    PicturePlane(const PicturePlane&) = delete;
    PicturePlane& operator=(const PicturePlane&) = delete;

    // At the plane's own size the pens need no scaling, and the segments go straight to the
    // plane's canvas: the same pixels without a layer per segment.
    MappedCanvas& canvas()
    {
        return m_scaled ? static_cast<MappedCanvas&>(*m_scaled) : m_planeCanvas;
    }
    const plane::Raster& raster() const { return m_plane.raster(); }
    plane::Raster& raster() { return m_plane.raster(); }

private:
    plane::Plane m_plane;
    PlaneCanvas m_planeCanvas;
    std::optional<ScaledPenCanvas> m_scaled; // none at the plane's own size
};

} // namespace app
