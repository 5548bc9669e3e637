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

} // namespace plane
