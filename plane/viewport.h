#pragma once

#include "fpu/floating_point_error.h"

#include <cmath>
#include <cstdint>

namespace plane {

// The mapping of a world window onto a raster of width x height pixels, y growing upwards:
// world (x1, y2) falls on pixel (0, 0) and (x2, y1) on (width, height).
struct Viewport {
    double ScaleX = 0.0; // pixels per world unit along x
    double ScaleY = 0.0; // pixels per world unit along y
    double OffsetX = 0.0; // pixel column of world x = 0
    double OffsetY = 0.0; // pixel row of world y = 0

    // Computes ScaleX, ScaleY, OffsetX, OffsetY in that order. A zero-width or zero-height
    // window raises the division-by-zero fault and a result beyond the double range the
    // overflow fault; coefficients computed before the fault keep their new values.
    void SetWorldWindow(double x1, double x2, double y1, double y2, int width, int height);

    // round(ScaleX * x + OffsetX) and round(OffsetY - ScaleY * y), halves to even, as a
    // 32-bit value (the low 32 bits of the rounded 64-bit integer). A value outside the
    // 64-bit range raises the invalid-operation fault.
    std::int32_t XToPixel(double x) const { return Pixel(ScaleX * x + OffsetX); }
    std::int32_t YToPixel(double y) const { return Pixel(OffsetY - ScaleY * y); }

private:
    // Below 2^51 in magnitude, adding and taking away 1.5 * 2^52 rounds to an integer in the
    // current rounding mode, as fpu::RoundToInt64 does, without a call into the math library.
    static std::int32_t Pixel(double value)
    {
        constexpr double Shift = 6755399441055744.0; // 1.5 * 2^52
        if (std::fabs(value) < 2251799813685248.0) [[likely]] // 2^51
            return fpu::LowWord(static_cast<std::int64_t>((value + Shift) - Shift));
        return fpu::LowWord(fpu::RoundToInt64(value));
    }
};

} // namespace plane
