#include "expr/arithmetic.h"

#include "fpu/floating_point_error.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// The definition itself: |n| multiplications, each rounded, then the reciprocal for n < 0.
double FullLoopPower(double x, std::int64_t n)
{
    double r = 1.0;
    for (std::int64_t i = 0; i < (n < 0 ? -n : n); ++i)
        r = fpu::Checked(r * x);
    return n < 0 ? fpu::Divide(1.0, r) : r;
}

TEST(IntPower, MatchesTheFullLoopBitForBit)
{
    struct Row {
        double x;
        std::int64_t n;
    };
    const Row rows[] = {
        { 2.0, 10 }, { 2.0, -2 }, { 0.0, 0 }, { 0.0, 3 }, { -2.0, 3 }, { 1.1, 7 }, { 10.0, 22 },
        { 10.0, 23 }, { 0.1, 20 }, { 1e-10, -30 }, { 3.0, -5 }, { -0.7, 1001 }, { 0.999, 1000000 },
        { 1.0001, 5000000 }, { -0.9, 10001 }, { -1.0, 999999 }, { -1e-200, 5 }, { -1e-200, 6 },
        { -0.0, 7 }, { 0.5, 1074 }, { 0.5, 1075 },
        { -(1.0 - 0x1p-53), 3000001 }, // drifts by one ulp a step, no fixed point
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.x) + " ^ " + std::to_string(row.n));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(expr::IntPower(row.x, row.n)),
            std::bit_cast<std::uint64_t>(FullLoopPower(row.x, row.n)));
    }
}

TEST(IntPower, ExponentsBeyond32BitsReachTheLoopsEnd)
{
    constexpr std::int64_t big = std::int64_t { 1 } << 40;
    EXPECT_EQ(expr::IntPower(1.0, big), 1.0);
    EXPECT_EQ(expr::IntPower(-1.0, big), 1.0);
    EXPECT_EQ(expr::IntPower(-1.0, big + 1), -1.0);
    EXPECT_EQ(expr::IntPower(-1.0, INT64_MIN), 1.0);
    EXPECT_EQ(expr::IntPower(0.0, big), 0.0);
    EXPECT_EQ(expr::IntPower(0.5, big), 0.0);
    EXPECT_EQ(expr::IntPower(-0.5, INT64_MAX), -0.0);
    EXPECT_TRUE(std::signbit(expr::IntPower(-0.5, INT64_MAX)));
}

TEST(IntPower, RaisesTheFaultsOfTheLoop)
{
    struct Row {
        const char* name;
        double x;
        std::int64_t n;
        fpu::Fault fault;
    };
    const Row rows[] = {
        { "product overflows", 10.0, 400, fpu::Fault::Overflow },
        { "product overflows before the reciprocal", 2.0, -1074, fpu::Fault::Overflow },
        { "huge exponent overflows", 2.0, std::int64_t { 1 } << 32, fpu::Fault::Overflow },
        { "reciprocal of an underflow", 1e-10, -40, fpu::Fault::DivisionByZero },
        { "reciprocal of a huge underflow", 0.5, -(std::int64_t { 1 } << 40),
            fpu::Fault::DivisionByZero },
        { "reciprocal of a denormal", 0.5, -1074, fpu::Fault::Overflow },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            expr::IntPower(row.x, row.n);
            ADD_FAILURE() << "no fault raised";
        } catch (const fpu::FloatingPointError& error) {
            EXPECT_EQ(error.fault(), row.fault);
        }
    }
}

// Past 2^24 moving steps the rest is one library power: close to, not equal to, the full loop,
// which would add one ulp a step and end at 1 + 2^-12.
TEST(IntPower, BaseNextToOneFinishesNearTheLoop)
{
    const double result = expr::IntPower(1.0 + 0x1p-52, std::int64_t { 1 } << 40);
    EXPECT_NEAR(result, 1.0 + 0x1p-12, 1e-7);
    EXPECT_NEAR(expr::IntPower(1.0 - 0x1p-53, -(std::int64_t { 1 } << 41)), 1.0 + 0x1p-12, 1e-6);
}

TEST(Factorial, WrapsModulo2To32)
{
    struct Row {
        std::int64_t n;
        std::int32_t expected;
    };
    const Row rows[] = {
        { -5, 1 },
        { 0, 1 },
        { 1, 1 },
        { 5, 120 },
        { 12, 479001600 },
        { 13, 1932053504 },
        { 17, -288522240 },
        { 32, INT32_MIN },
        { 33, INT32_MIN },
        { 34, 0 },
        { 35, 0 },
        { 1000, 0 },
        { std::int64_t { 1 } << 31, 0 },
        { INT64_MAX, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.n);
        EXPECT_EQ(expr::Factorial(row.n), row.expected);
    }
    std::uint64_t exact = 1;
    for (std::int64_t n = 2; n <= 20; ++n) {
        exact *= static_cast<std::uint64_t>(n);
        EXPECT_EQ(expr::Factorial(n), static_cast<std::int32_t>(static_cast<std::uint32_t>(exact)))
            << n;
    }
}

} // namespace
