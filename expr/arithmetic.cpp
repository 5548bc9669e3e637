#include "expr/arithmetic.h"

#include "fpu/floating_point_error.h"

#include <algorithm>
#include <cmath>

namespace expr {
namespace {

// Bounds the time of one power to a few tens of milliseconds.
constexpr std::uint64_t MaxMultiplications = std::uint64_t { 1 } << 24;

// The magnitude of the product no longer changes once one multiplication keeps it (rounding
// to nearest is symmetric, so every later one keeps it too); only a negative base still
// flips the sign, once per remaining step.
double SettledPower(double settled, double x, std::uint64_t remaining)
{
    const bool flip = std::signbit(x) && remaining % 2 == 1;
    return flip ? -settled : settled;
}

// The remaining steps of a product that still moves: |x| is then within about 5e-5 of 1,
// and the product lies on the same side of 1 as |x|, so the library power overflows or
// underflows only where the loop would.
double RemainingPower(double r, double x, std::uint64_t remaining)
{
    const double magnitude = std::fabs(r) * std::pow(std::fabs(x), static_cast<double>(remaining));
    const bool negative = std::signbit(r) != (std::signbit(x) && remaining % 2 == 1);
    return fpu::Checked(negative ? -magnitude : magnitude);
}

double RepeatedProduct(double x, std::uint64_t count)
{
    double r = 1.0;
    const std::uint64_t direct = std::min(count, MaxMultiplications);
    for (std::uint64_t done = 1; done <= direct; ++done) {
        const double next = fpu::Checked(r * x);
        if (std::fabs(next) == std::fabs(r))
            return SettledPower(next, x, count - done);
        r = next;
    }
    return direct == count ? r : RemainingPower(r, x, count - direct);
}

} // namespace

double IntPower(double x, std::int64_t n)
{
    const std::uint64_t count = n < 0 ? std::uint64_t { 0 } - static_cast<std::uint64_t>(n)
                                      : static_cast<std::uint64_t>(n);
    const double r = RepeatedProduct(x, count);
    return n < 0 ? fpu::Divide(1.0, r) : r;
}

std::int32_t Factorial(std::int64_t n)
{
    // 34! holds the factor 2 thirty-two times, so from 34 on the wrapped product is 0.
    const std::int64_t last = std::min<std::int64_t>(n, 34);
    std::uint32_t product = 1;
    for (std::int64_t k = 2; k <= last; ++k)
        product *= static_cast<std::uint32_t>(k);
    return static_cast<std::int32_t>(product);
}

} // namespace expr
