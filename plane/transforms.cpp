#include "plane/transforms.h"

#include <cmath>

namespace plane {

TVector3 MultiplyPoint(const TVector3& p, const TMatrix3& m)
{
    // Each partial sum is rounded to a double in the order k = 1, 2, 3, starting from 0.
    const double in[3] = { p.x, p.y, p.w };
    double out[3] = { 0.0, 0.0, 0.0 };
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 3; ++k)
            out[j] = out[j] + in[k] * m.m[k][j];
    }
    out[0] = out[0] / out[2];
    out[1] = out[1] / out[2];
    return { out[0], out[1], out[2] };
}

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
