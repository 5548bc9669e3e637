#include "app/core/picture_plane.h"

#include "app/core/plane_size.h"

namespace app {

PicturePlane::PicturePlane(int size)
    : m_planeCanvas(m_plane)
    , m_canvas(m_planeCanvas, static_cast<double>(size) / PlaneSize)
{
    m_plane.SetPlaneSize(size, size);
}

} // namespace app
