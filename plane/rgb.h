#pragma once

#include <cstdint>

namespace plane {

// A 24-bit colour.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    // The 24-bit colour value red + 256 * green + 65536 * blue.
    std::uint32_t value() const { return red + 256u * green + 65536u * blue; }
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

} // namespace plane
