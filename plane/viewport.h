#pragma once

#include "fpu/floating_point_error.h"

#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

    // The column and row of a world point, unrounded.
    double Column(double x) const { return ScaleX * x + OffsetX; }
    double Row(double y) const { return OffsetY - ScaleY * y; }

    // Their inverse: the world x of a column and the world y of a row, fractions included.
    double ColumnToX(double column) const { return (column - OffsetX) / ScaleX; }
    double RowToY(double row) const { return (OffsetY - row) / ScaleY; }

    // round(ScaleX * x + OffsetX) and round(OffsetY - ScaleY * y), halves to even, as the whole
    // 64-bit integer: a pixel may lie far beyond the raster's 32-bit coordinates, and whoever
    // draws it cuts the segment first (Plane::DrawLine).
    std::int64_t XToPixel(double x) const { return Pixel(Column(x)); }
    std::int64_t YToPixel(double y) const { return Pixel(Row(y)); }

    // Rounds a column or row to its pixel. A value that overflowed the double range raises the
    // overflow fault, as every other product does; a NaN or a value outside the 64-bit range
    // raises the invalid-operation fault.
    static std::int64_t Pixel(double value)
    {
        if (std::fabs(value) < 2251799813685248.0) [[likely]] // 2^51
            return PixelNear(value);
        return fpu::RoundToInt64(value);
    }

    // The pixel of a world point that the caller knows to map within the 32-bit range, as
    // XToPixel and YToPixel give it. With SSE2 both coordinates go at once: the row's
    // OffsetY - ScaleY * y is OffsetY + -(ScaleY * y) exactly, and the conversion rounds in the
    // current rounding mode, as PixelNear does.
    struct PixelPoint {
        std::int32_t x;
        std::int32_t y;
    };
    [[gnu::always_inline]] PixelPoint PixelNearPoint(double x, double y) const
    {
#if defined(__SSE2__)
        return Rounded(ColumnAndRow(x, y));
#else
        return { static_cast<std::int32_t>(PixelNear(Column(x))),
            static_cast<std::int32_t>(PixelNear(Row(y))) };
#endif
    }
    // PixelNearPoint of a point that maps within the 32-bit range; false, and the pixel left as
    // it is, for any other point (a NaN among them).
    [[gnu::always_inline]] bool PixelWithin32Bits(double x, double y, PixelPoint& pixel) const
    {
#if defined(__SSE2__)
        const __m128d pixels = ColumnAndRow(x, y);
        const __m128d magnitudes = _mm_andnot_pd(_mm_set1_pd(-0.0), pixels);
        if (_mm_movemask_pd(_mm_cmplt_pd(magnitudes, _mm_set1_pd(Within32Bits))) != 0b11)
            return false;
        pixel = Rounded(pixels);
#else
        const double column = Column(x);
        const double row = Row(y);
        if (!(std::fabs(column) < Within32Bits && std::fabs(row) < Within32Bits))
            return false;
        pixel = { static_cast<std::int32_t>(PixelNear(column)),
            static_cast<std::int32_t>(PixelNear(row)) };
#endif
        return true;
    }

    // A column or row below this in magnitude rounds to a 32-bit pixel.
    static constexpr double Within32Bits = 2147483647.0;

    // Pixel for a value below 2^51 in magnitude, without a check: adding and taking away
    // 1.5 * 2^52 rounds to an integer in the current rounding mode, as fpu::RoundToInt64 does,
    // without a call into the math library.
    static std::int64_t PixelNear(double value)
    {
        constexpr double Shift = 6755399441055744.0; // 1.5 * 2^52
        return static_cast<std::int64_t>((value + Shift) - Shift);
    }

private:
#if defined(__SSE2__)
    // Column(x) and Row(y), unrounded, in one register.
    [[gnu::always_inline]] __m128d ColumnAndRow(double x, double y) const
    {
        const __m128d products = _mm_mul_pd(_mm_set_pd(ScaleY, ScaleX), _mm_set_pd(y, x));
        const __m128d signs = _mm_set_pd(-0.0, 0.0);
        return _mm_add_pd(_mm_set_pd(OffsetY, OffsetX), _mm_xor_pd(products, signs));
    }
    [[gnu::always_inline]] static PixelPoint Rounded(__m128d pixels)
    {
        const __m128i rounded = _mm_cvtpd_epi32(pixels);
        return { _mm_cvtsi128_si32(rounded), _mm_cvtsi128_si32(_mm_srli_si128(rounded, 4)) };
    }
#endif
};

} // namespace plane
