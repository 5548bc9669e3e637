#include "app/core/pictures/scaled_pen_canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace app {

void ScaledPenCanvas::DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
    plane::Rgb colour, std::int32_t penWidth)
{
    m_pen.Set(penWidth);
    const double scaled = std::round(m_pen.drawn() * m_scale);
    const double largest = std::numeric_limits<std::int32_t>::max();
    m_target.DrawSegment(
        start, end, colour, static_cast<std::int32_t>(std::clamp(scaled, 1.0, largest)));
}

} // namespace app
