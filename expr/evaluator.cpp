#include "expr/evaluator.h"

#include "expr/arithmetic.h"
#include "expr/messages.h"
#include "fpu/floating_point_error.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace expr {
namespace {

constexpr double HalfPi = 1.5707963267948966;
constexpr double Pi = 3.141592653589793;
constexpr double TwoPow63 = 9223372036854775808.0;

// The result of one operation: its value, or the message of the domain error it met.
struct Outcome {
    double Value = 0.0;
    std::string_view Error {};
};

Outcome Fail(std::string_view message)
{
    return { 0.0, message };
}

// An integral exponent takes the repeated product, any base but 0 with a negative
// exponent; a fractional one needs a positive base. Exponents that cannot be rounded to a
// 64-bit integer are invalid operations.
Outcome Power(double x, double y)
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

Outcome ApplyInfix(Opcode code, double x, double y)
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
double Sine(double x)
{
    return std::fabs(x) >= TwoPow63 ? 0.0 : std::sin(x);
}

double Cosine(double x)
{
    return std::fabs(x) >= TwoPow63 ? 0.0 : std::cos(x);
}

// Through the arc tangent; the ends of the domain take exact constants, where the ratio
// would divide by zero.
Outcome ArcSin(double x)
{
    if (std::fabs(x) > 1.0)
        return Fail(ArcSinMessage);
    if (x == 1.0)
        return { HalfPi };
    if (x == -1.0)
        return { -HalfPi };
    return { std::atan(x / std::sqrt(1.0 - x * x)) };
}

Outcome ArcCos(double x)
{
    if (std::fabs(x) > 1.0)
        return Fail(ArcCosMessage);
    if (x == 1.0)
        return { 0.0 };
    if (x == -1.0)
        return { Pi };
    return { HalfPi - std::atan(x / std::sqrt(1.0 - x * x)) };
}

Outcome Tangent(double x)
{
    const double cosine = std::cos(x);
    if (std::fabs(cosine) < DomainThreshold)
        return Fail(TangentMessage);
    return { std::sin(x) / cosine };
}

Outcome FactorialOf(double x)
{
    if (x < 0.0)
        return Fail(FactorialMessage);
    const std::int64_t n = fpu::RoundToInt64(x);
    if (static_cast<double>(n) != x)
        return Fail(FactorialMessage);
    return { static_cast<double>(Factorial(n)) };
}

Outcome ApplyFunction(Opcode code, double x)
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

double VariableValue(Opcode code, const Variables& variables)
{
    switch (code) {
    case Opcode::VarX:
        return variables.X;
    case Opcode::VarY:
        return variables.Y;
    case Opcode::VarT:
        return variables.T;
    case Opcode::VarR:
        return variables.R;
    case Opcode::VarS:
        return variables.S;
    case Opcode::VarZ:
        return variables.Z;
    case Opcode::VarK:
        return variables.K;
    default:
        return variables.N;
    }
}

// Every cell pushes at most one value, so a stack as long as a program cannot overflow;
// only the first Size() values are ever read.
class ValueStack {
public:
    std::size_t Size() const { return m_size; }
    void Push(double value) { m_values[m_size++] = value; }
    double Pop() { return m_values[--m_size]; }
    double Top() const { return m_values[m_size - 1]; }

private:
    std::array<double, PostfixProgramSize> m_values;
    std::size_t m_size = 0;
};

// Takes one cell; returns the message that ends the evaluation, or nothing.
std::string_view Step(const TPostfixItem& item, ValueStack& stack, const Variables& variables)
{
    const Opcode kind = item.Kind;
    if (kind == Opcode::Number) {
        stack.Push(item.Value);
        return {};
    }
    if (IsVariable(kind)) {
        stack.Push(VariableValue(kind, variables));
        return {};
    }
    Outcome outcome;
    if (IsInfixOperator(kind)) {
        if (stack.Size() < 2)
            return UnbalancedStackMessage;
        const double y = stack.Pop();
        const double x = stack.Pop();
        outcome = ApplyInfix(kind, x, y);
    } else if (kind == Opcode::Negate || IsFunction(kind)) {
        if (stack.Size() < 1)
            return UnbalancedStackMessage;
        outcome = ApplyFunction(kind, stack.Pop());
    } else {
        return UnbalancedStackMessage;
    }
    if (outcome.Error.empty())
        stack.Push(outcome.Value);
    return outcome.Error;
}

double Finish(const ValueStack& stack, std::string& errorText)
{
    if (stack.Size() == 0) {
        errorText = UnbalancedStackMessage;
        return 0.0;
    }
    if (stack.Size() > 1)
        errorText = UnbalancedStackMessage;
    return stack.Top();
}

} // namespace

double EvaluatePostfix(
    const TPostfixProgram& program, std::string& errorText, const Variables& variables)
{
    if (IsCompilerMessage(errorText))
        return 0.0;
    errorText.clear();
    ValueStack stack;
    for (const TPostfixItem& item : program) {
        if (item.Kind == Opcode::End)
            break;
        const std::string_view error = Step(item, stack, variables);
        if (!error.empty()) {
            errorText = error;
            return 0.0;
        }
    }
    return Finish(stack, errorText);
}

double Evaluate(std::string_view text, std::string& errorText, const Variables& variables)
{
    TPostfixProgram program {};
    CompilePostfix(text, errorText, program);
    return EvaluatePostfix(program, errorText, variables);
}

} // namespace expr
