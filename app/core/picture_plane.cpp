#include "app/core/picture_plane.h"

#include "app/core/plane_size.h"

namespace app {

PicturePlane::PicturePlane(int size)
    : m_planeCanvas(m_plane)
{
    m_plane.SetPlaneSize(size, size);
    if (size != PlaneSize)
        m_scaled.emplace(m_planeCanvas, static_cast<double>(size) / PlaneSize);
}

} // namespace app
