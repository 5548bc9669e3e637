#pragma once

#include "fpu/floating_point_error.h"

#include <cmath>

// Homogeneous plane points and 3 x 3 transforms. Points are row vectors multiplied from the
// left, so P * M1 * M2 applies M1 first.
namespace plane {

// The point (x / w, y / w); ordinary points carry w = 1.
struct TVector3 {
    double x = 0.0;
    double y = 0.0;
    double w = 0.0;
};

// Stored row by row: m[r][j] is row r, column j.
struct TMatrix3 {
    double m[3][3] = {};
};

namespace detail {
// MultiplyPoint with every product, partial sum and quotient checked as it is made.
TVector3 MultiplyPointChecked(const TVector3& p, const TMatrix3& m);
} // namespace detail

// The row vector p times m, then x and y divided by the product's w (which is kept as it is).
// Each partial sum is rounded to a double in the order k = 1, 2, 3, starting from 0. Every
// product, partial sum and quotient is checked in that order: the first that overflows, is not
// a number or divides by zero raises fpu::FloatingPointError.
inline TVector3 MultiplyPoint(const TVector3& p, const TMatrix3& m)
{
    const double in[3] = { p.x, p.y, p.w };
    double out[3] = { 0.0, 0.0, 0.0 };
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 3; ++k)
            out[j] = out[j] + in[k] * m.m[k][j];
    }
    // Ordinary points keep w = 1, and a quotient by 1 is the dividend itself.
    const double x = out[2] == 1.0 ? out[0] : out[0] / out[2];
    const double y = out[2] == 1.0 ? out[1] : out[1] / out[2];
    // An infinity or a NaN stays in every sum and quotient made from it (a zero w gives one
    // too), so finite results mean that nothing faulted on the way; otherwise the checked
    // product is made again to raise the first fault.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(out[2])) [[unlikely]]
        return detail::MultiplyPointChecked(p, m);
    return { x, y, out[2] };
}

// The counterclockwise turn by `angle` radians about the origin (y pointing up).
TMatrix3 RotationMatrix(double angle);

} // namespace plane
