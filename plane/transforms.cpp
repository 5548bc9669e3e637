#include "plane/transforms.h"

#include <cmath>

namespace plane {

TMatrix3 RotationMatrix(double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    TMatrix3 r;
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    r.m[2][2] = 1.0;
    return r;
}

} // namespace plane
