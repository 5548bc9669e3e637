#include "plane/plane.h"

#include "plane/clip.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plane {

void Plane::SetWorldWindow(double x1, double x2, double y1, double y2)
{
    Viewport::SetWorldWindow(x1, x2, y1, y2, m_raster.width(), m_raster.height());
}

void Plane::SetPlaneSize(int width, int height)
{
    m_raster.Resize(width, height);
}

void Plane::ClearPlane(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    m_raster.Fill({ red, green, blue });
}

// A segment whose pixels reach beyond the 32-bit range is cut in double precision to the raster
// widened by more than the pen's radius, so that the ends it gets lie where their round caps
// cannot reach a pixel. The pixels convert to doubles exactly, each being a rounded double. The
// cut is measured from the end nearer the raster, so that the far end's size costs no precision
// where the line is seen.
void Plane::DrawFarLine(double column1, double row1, double column2, double row2, Rgb colour)
{
    const std::int64_t x1 = Pixel(column1);
    const std::int64_t y1 = Pixel(row1);
    const std::int64_t x2 = Pixel(column2);
    const std::int64_t y2 = Pixel(row2);
    const auto fits = [](std::int64_t pixel) {
        return pixel >= std::numeric_limits<std::int32_t>::min()
            && pixel <= std::numeric_limits<std::int32_t>::max();
    };
    if (fits(x1) && fits(y1) && fits(x2) && fits(y2)) {
        m_raster.DrawLine(static_cast<std::int32_t>(x1), static_cast<std::int32_t>(y1),
            static_cast<std::int32_t>(x2), static_cast<std::int32_t>(y2), colour, m_pen.value());
        return;
    }
    double start[2] = { static_cast<double>(x1), static_cast<double>(y1) };
    double end[2] = { static_cast<double>(x2), static_cast<double>(y2) };
    const auto reach
        = [](const double* point) { return std::max(std::fabs(point[0]), std::fabs(point[1])); };
    // The cut measures both new ends from its first point.
    const bool fromEnd = reach(start) > reach(end);
    double* first = fromEnd ? end : start;
    double* second = fromEnd ? start : end;
    const double margin = m_pen.drawn() / 2.0 + 2.0;
    if (!ClipSegment(first[0], first[1], second[0], second[1], -margin, -margin,
            m_raster.width() - 1 + margin, m_raster.height() - 1 + margin))
        return;
    const auto pixel = [](double value) { return static_cast<std::int32_t>(std::lround(value)); };
    m_raster.DrawLine(
        pixel(start[0]), pixel(start[1]), pixel(end[0]), pixel(end[1]), colour, m_pen.value());
}

} // namespace plane
