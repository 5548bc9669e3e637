#pragma once

#include <cstdint>
#include <limits>

namespace lsystem {

// Counts of symbols, steps and branches that could pass 64 bits stop at its largest value,
// which then stands for "more than can be counted".
inline constexpr std::uint64_t Saturated = std::numeric_limits<std::uint64_t>::max();

constexpr std::uint64_t AddSaturating(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? Saturated : sum;
}

constexpr std::uint64_t MultiplySaturating(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? Saturated : product;
}

} // namespace lsystem
