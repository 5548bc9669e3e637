#include "expr/evaluator.h"

#include "expr/messages.h"
#include "expr/operations.h"

#include <array>

namespace expr {
namespace {

using operations::ApplyFunction;
using operations::ApplyInfix;
using operations::Outcome;

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
