#include "app/core/pictures/picture_plane.h"

#include "app/core/pictures/picture_memory_error.h"
#include "app/core/pictures/plane_size.h"

namespace app {

PicturePlane::PicturePlane(int size)
    : m_planeCanvas(m_plane)
{
    try {
        m_plane.SetPlaneSize(size, size);
    } catch (const std::bad_alloc&) {
        throw PictureMemoryError(size, size, plane::Raster::ByteSize(size, size));
    }
    if (size != PlaneSize)
        m_scaled.emplace(m_planeCanvas, static_cast<double>(size) / PlaneSize);
}

} // namespace app
