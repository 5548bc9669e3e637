#include "app/core/pictures/subpath_vertices.h"

#include <cmath>

namespace app {

ViewUnits ToViewUnits(double x, double y)
{
    return { std::llround(x * UnitsPerViewPixel), std::llround(y * UnitsPerViewPixel) };
}

void SubpathVertices::Start(ViewUnits start)
{
    m_end = start;
    m_pending = false;
}

std::optional<ViewUnits> SubpathVertices::LineTo(ViewUnits point)
{
    // A zero-length segment adds nothing to a subpath that reaches elsewhere; a subpath that
    // reaches nowhere ends as a zero-length line (see end()).
    if (point == m_end)
        return std::nullopt;
    // The points lie within ViewReach of the view, so the products fit in 64 bits.
    const ViewUnits step { point.x - m_end.x, point.y - m_end.y };
    if (m_pending && m_direction.x * step.y == m_direction.y * step.x
        && m_direction.x * step.x + m_direction.y * step.y > 0) {
        m_end = point;
        return std::nullopt;
    }
    const std::optional<ViewUnits> final = m_pending ? std::optional(m_end) : std::nullopt;
    m_end = point;
    m_direction = step;
    m_pending = true;
    return final;
}

} // namespace app
