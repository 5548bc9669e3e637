#include "app/core/session/plane_draw.h"

namespace app {

PlaneDraw::PlaneDraw(SessionFigures& figures, plane::Plane& plane, const PreparedWalk& walk)
    : m_figures(figures)
    , m_canvas(plane)
    , m_walk(walk.params, walk.style, figures.random(), m_canvas)
{
}

} // namespace app
