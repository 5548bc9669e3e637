#pragma once

#include <cstdint>

namespace expr {

// The domain threshold 10^-15. The double nearest to it lies just above it, so for double
// operands "below the threshold" and "at or below it" are both "less than this double".
inline constexpr double DomainThreshold = 1e-15;

// x to the integral power n by repeated multiplication, each product rounded to a double; for
// a negative n the reciprocal of x to the power -n. The rounding of every step is part of the
// result, so no library power is used while the product moves. A product that overflows is a
// floating-point overflow; the reciprocal of a product that underflowed to 0 is a division by
// zero. Stops early, with the same result, once the product's magnitude stops changing. A base
// so close to 1 or -1 that the product still moves after 2^24 steps takes the remaining steps
// as one library power: that result may differ from the full loop in the last bits.
double IntPower(double x, std::int64_t n);

// n! in 32-bit signed arithmetic that wraps around modulo 2^32; 1 for every n <= 1, 0 for
// every n >= 34.
std::int32_t Factorial(std::int64_t n);

} // namespace expr
