#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>

// The arithmetic faults that end a command: division by zero, overflow and invalid operations
// are errors, underflow and loss of precision are silent. Code that can produce such a fault
// checks its result with the helpers below instead of letting an infinity or a NaN through.
namespace fpu {

enum class Fault { DivisionByZero, Overflow, InvalidOperation };

inline const char* FaultMessage(Fault fault)
{
    switch (fault) {
    case Fault::DivisionByZero:
        return "Floating point division by zero";
    case Fault::Overflow:
        return "Floating point overflow";
    case Fault::InvalidOperation:
        break;
    }
    return "Invalid floating point operation";
}

class FloatingPointError : public std::runtime_error {
public:
    explicit FloatingPointError(Fault fault)
        : std::runtime_error(FaultMessage(fault))
        , m_fault(fault)
    {
    }
    Fault fault() const { return m_fault; }

private:
    Fault m_fault;
};

// The result of an operation on finite operands: an infinity means it overflowed, a NaN that
// it was invalid.
inline double Checked(double result)
{
    if (std::isnan(result))
        throw FloatingPointError(Fault::InvalidOperation);
    if (std::isinf(result))
        throw FloatingPointError(Fault::Overflow);
    return result;
}

// a / b for finite operands: a zero divisor is a division-by-zero fault, 0 / 0 an invalid one.
inline double Divide(double a, double b)
{
    if (b == 0.0)
        throw FloatingPointError(a == 0.0 ? Fault::InvalidOperation : Fault::DivisionByZero);
    return Checked(a / b);
}

// Rounds to the nearest integer, halves to the even neighbour (the default rounding mode).
// Like Checked, it takes the unchecked result of an operation on finite operands: an infinity
// is that operation's overflow; a NaN, or a finite value outside the 64-bit signed range, is an
// invalid operation.
inline std::int64_t RoundToInt64(double value)
{
    constexpr double twoPow63 = 9223372036854775808.0;
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -twoPow63 && rounded < twoPow63))
        throw FloatingPointError(std::isinf(value) ? Fault::Overflow : Fault::InvalidOperation);
    return static_cast<std::int64_t>(rounded);
}

} // namespace fpu
