#include "app/core/session/plane_redraw.h"

#include <utility>

namespace app {

PlaneRedraw::PlaneRedraw(std::vector<DrawnFigure> figures, plane::Plane& plane)
    : m_canvas(plane)
    , m_replay(std::move(figures), plane.raster().width(), m_canvas)
{
}

} // namespace app
