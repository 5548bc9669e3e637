#include "plane/transforms.h"

#include <cmath>

namespace plane {

namespace detail {

TVector3 MultiplyPointChecked(const TVector3& p, const TMatrix3& m)
{
    const double in[3] = { p.x, p.y, p.w };
    double out[3] = { 0.0, 0.0, 0.0 };
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 3; ++k)
            out[j] = fpu::Checked(out[j] + fpu::Checked(in[k] * m.m[k][j]));
    }
    return { fpu::Divide(out[0], out[2]), fpu::Divide(out[1], out[2]), out[2] };
}

} // namespace detail

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
