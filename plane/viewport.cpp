#include "plane/viewport.h"

#include "fpu/floating_point_error.h"

namespace plane {

void Viewport::SetWorldWindow(double x1, double x2, double y1, double y2, int width, int height)
{
    ScaleX = fpu::Divide(width, fpu::Checked(x2 - x1));
    ScaleY = fpu::Divide(height, fpu::Checked(y2 - y1));
    OffsetX = fpu::Checked(-x1 * ScaleX);
    OffsetY = fpu::Checked(y2 * ScaleY);
}

std::int32_t Viewport::XToPixel(double x) const
{
    return fpu::LowWord(fpu::RoundToInt64(ScaleX * x + OffsetX));
}

std::int32_t Viewport::YToPixel(double y) const
{
    return fpu::LowWord(fpu::RoundToInt64(OffsetY - ScaleY * y));
}

} // namespace plane
