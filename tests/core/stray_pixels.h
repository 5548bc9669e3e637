#pragma once

#include "plane/raster.h"

#include <cstdint>

namespace test_support {

// The pixels `image` inks with no inked pixel of `other` among the 3 × 3 around them: what one
// picture draws more than a pixel away from everything the other draws. The rasters are of one
// size, white where nothing is drawn.
inline std::uint64_t StrayPixels(const plane::Raster& image, const plane::Raster& other)
{
    constexpr plane::Rgb white { 255, 255, 255 };
    const auto inked = [&other, white](int x, int y) {
        return x >= 0 && y >= 0 && x < other.width() && y < other.height()
            && other.Pixel(x, y) != white;
    };
    std::uint64_t stray = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.Pixel(x, y) == white)
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy) {
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = inked(x + dx, y + dy);
            }
            stray += near ? 0 : 1;
        }
    }
    return stray;
}

} // namespace test_support
