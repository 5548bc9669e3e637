#pragma once

#include "expr/arithmetic.h"
#include "expr/messages.h"
#include "expr/opcode.h"
#include "fpu/floating_point_error.h"

#include <cmath>
#include <cstdint>
#include <string_view>

// The evaluator's single operations, shared with every other compiler of expressions that must
// compute what a field computes, bit for bit. Angles are in radians. Arithmetic faults are raised
// as fpu::FloatingPointError; domain errors come back as the evaluator's message.
namespace expr::operations {

inline constexpr double HalfPi = 1.5707963267948966;
inline constexpr double Pi = 3.141592653589793;
inline constexpr double TwoPow63 = 9223372036854775808.0;

// The result of one operation: its value, or the message of the domain error it met.
struct Outcome {
    double Value = 0.0;
    std::string_view Error {};
};

inline Outcome Fail(std::string_view message)
{
    return { 0.0, message };
}

// An integral exponent takes the repeated product, any base but 0 with a negative
// exponent; a fractional one needs a positive base. Exponents that cannot be rounded to a
// 64-bit integer are invalid operations.
inline Outcome Power(double x, double y)
{
    if (std::fabs(x) < DomainThreshold && y < 0.0)
        return Fail(PowerBaseMessage);
    const std::int64_t n = fpu::RoundToInt64(y);
    if (static_cast<double>(n) == y)
        return { IntPower(x, n) };
    if (x < DomainThreshold)
        return Fail(PowerBaseMessage);
    return { fpu::Checked(std::exp(y * std::log(x))) };
}

inline Outcome ApplyInfix(Opcode code, double x, double y)
{
    switch (code) {
    case Opcode::Add:
        return { fpu::Checked(x + y) };
    case Opcode::Subtract:
        return { fpu::Checked(x - y) };
    case Opcode::Multiply:
        return { fpu::Checked(x * y) };
    case Opcode::Divide:
        if (std::fabs(y) < DomainThreshold)
            return Fail(DivisionByZeroMessage);
        return { fpu::Checked(x / y) };
    default:
        return Power(x, y);
    }
}

// Beyond 2^63 the sine and cosine give 0 rather than a value of the reduced argument.
inline double Sine(double x)
{
    return std::fabs(x) >= TwoPow63 ? 0.0 : std::sin(x);
}

inline double Cosine(double x)
{
    return std::fabs(x) >= TwoPow63 ? 0.0 : std::cos(x);
}

// Through the arc tangent; the ends of the domain take exact constants, where the ratio
// would divide by zero.
inline Outcome ArcSin(double x)
{
    if (std::fabs(x) > 1.0)
        return Fail(ArcSinMessage);
    if (x == 1.0)
        return { HalfPi };
    if (x == -1.0)
        return { -HalfPi };
    return { std::atan(x / std::sqrt(1.0 - x * x)) };
}

inline Outcome ArcCos(double x)
{
    if (std::fabs(x) > 1.0)
        return Fail(ArcCosMessage);
    if (x == 1.0)
        return { 0.0 };
    if (x == -1.0)
        return { Pi };
    return { HalfPi - std::atan(x / std::sqrt(1.0 - x * x)) };
}

inline Outcome Tangent(double x)
{
    const double cosine = std::cos(x);
    if (std::fabs(cosine) < DomainThreshold)
        return Fail(TangentMessage);
    return { std::sin(x) / cosine };
}

inline Outcome FactorialOf(double x)
{
    if (x < 0.0)
        return Fail(FactorialMessage);
    const std::int64_t n = fpu::RoundToInt64(x);
    if (static_cast<double>(n) != x)
        return Fail(FactorialMessage);
    return { static_cast<double>(Factorial(n)) };
}

inline Outcome ApplyFunction(Opcode code, double x)
{
    switch (code) {
    case Opcode::Negate:
        return { -x };
    case Opcode::Sin:
        return { Sine(x) };
    case Opcode::Cos:
        return { Cosine(x) };
    case Opcode::Exp:
        return { fpu::Checked(std::exp(x)) };
    case Opcode::Ln:
        if (x < DomainThreshold)
            return Fail(LogarithmMessage);
        return { std::log(x) };
    case Opcode::ArcTan:
        return { std::atan(x) };
    case Opcode::Tan:
        return Tangent(x);
    case Opcode::Sqr:
        return { fpu::Checked(x * x) };
    case Opcode::Sqrt:
        if (x < 0.0)
            return Fail(SquareRootMessage);
        return { std::sqrt(x) };
    case Opcode::Abs:
        return { std::fabs(x) };
    case Opcode::ArcSin:
        return ArcSin(x);
    case Opcode::ArcCos:
        return ArcCos(x);
    default:
        return FactorialOf(x);
    }
}

} // namespace expr::operations
