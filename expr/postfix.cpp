#include "expr/postfix.h"

#include "expr/encoder.h"
#include "expr/messages.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace expr {
namespace {

constexpr double Pi = 3.141592653589793;

constexpr bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

// The token's digits hold at most one full stop and no sign or exponent, so only the
// range can make the conversion fail: an overflow is no number, an underflow is 0.
Token ReadNumber(std::string_view span)
{
    const Token bad { Opcode::BadNumber, span.size(), 0.0 };
    if (std::count(span.begin(), span.end(), '.') > 1)
        return bad;
    double value = 0.0;
    const auto [end, error]
        = std::from_chars(span.data(), span.data() + span.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        const std::string_view whole = span.substr(0, span.find('.'));
        if (whole.find_first_not_of('0') != std::string_view::npos)
            return bad;
        value = 0.0;
    } else if (error != std::errc {} || end != span.data() + span.size()) {
        return bad;
    }
    return { Opcode::Number, span.size(), value };
}

// Whether an incoming operator moves the operator on top of the stack to the output first.
// An operator never moves a "(".
bool MovesTop(Opcode incoming, Opcode top)
{
    const bool function = IsFunction(top);
    switch (incoming) {
    case Opcode::Add:
    case Opcode::Subtract:
        return IsInfixOperator(top) || top == Opcode::Negate || function;
    case Opcode::Negate:
        return IsInfixOperator(top) || function;
    case Opcode::Multiply:
    case Opcode::Divide:
        return top == Opcode::Multiply || top == Opcode::Divide || top == Opcode::Power || function;
    case Opcode::Power:
        return top == Opcode::Power || function;
    default:
        return function;
    }
}

enum class Outcome { Compiled, OpenBracket, InvalidExpression, InvalidNumber, TooManyItems };

// One compilation: the working program and the operator stack, both of fixed size.
class Compiler {
public:
    Outcome Run(std::string_view encoded);
    const TPostfixProgram& Program() const { return m_program; }

private:
    static constexpr std::size_t MaxItems = PostfixProgramSize - 1;
    static_assert(MaxItems == 255, "TooManyItemsMessage names the limit");
    static constexpr std::size_t MaxOperators = 255;

    bool Append(TPostfixItem item);
    bool Push(Opcode code);
    bool MoveTop();
    Opcode Top() const { return m_operators[m_operatorCount - 1]; }
    Outcome Act(const Token& token);
    bool Take(const Token& token);
    Outcome Close();
    Outcome Finish();
    // Why an item or an operator could not be placed.
    Outcome Refused() const
    {
        return m_programFull ? Outcome::TooManyItems : Outcome::InvalidExpression;
    }

    TPostfixProgram m_program {};
    std::size_t m_itemCount = 0;
    bool m_programFull = false; // an item found no room
    std::array<Opcode, MaxOperators> m_operators {};
    std::size_t m_operatorCount = 0;
};

bool Compiler::Append(TPostfixItem item)
{
    if (m_itemCount == MaxItems) {
        m_programFull = true;
        return false;
    }
    m_program[m_itemCount++] = item;
    return true;
}

bool Compiler::Push(Opcode code)
{
    if (m_operatorCount == MaxOperators)
        return false;
    m_operators[m_operatorCount++] = code;
    return true;
}

bool Compiler::MoveTop()
{
    const Opcode top = Top();
    --m_operatorCount;
    return Append({ top, 0.0 });
}

Outcome Compiler::Run(std::string_view encoded)
{
    std::size_t position = 0;
    while (const std::optional<Token> token = ReadToken(encoded, position)) {
        const Outcome outcome = Act(*token);
        if (outcome != Outcome::Compiled)
            return outcome;
        position += token->Length;
    }
    return Finish();
}

Outcome Compiler::Act(const Token& token)
{
    if (token.Kind == Opcode::BadNumber)
        return Outcome::InvalidNumber;
    if (token.Kind == Opcode::Close)
        return Close();
    return Take(token) ? Outcome::Compiled : Refused();
}

// Places an operand in the output or an operator on the stack; false when the program or
// the stack is full, or for a character that no encoded text holds.
bool Compiler::Take(const Token& token)
{
    const Opcode kind = token.Kind;
    if (kind == Opcode::Number)
        return Append({ Opcode::Number, token.Value });
    if (kind == Opcode::Pi)
        return Append({ Opcode::Number, Pi });
    if (IsVariable(kind))
        return Append({ kind, 0.0 });
    if (kind == Opcode::Open)
        return Push(kind);
    if (!IsInfixOperator(kind) && kind != Opcode::Negate && !IsFunction(kind))
        return false;
    while (m_operatorCount > 0 && MovesTop(kind, Top())) {
        if (!MoveTop())
            return false;
    }
    return Push(kind);
}

// A ")" moves every operator since its "(" and discards the "("; one that closes nothing
// is an invalid expression.
Outcome Compiler::Close()
{
    while (m_operatorCount > 0 && Top() != Opcode::Open) {
        if (!MoveTop())
            return Refused();
    }
    if (m_operatorCount == 0)
        return Outcome::InvalidExpression;
    --m_operatorCount;
    return Outcome::Compiled;
}

// Moves the pending operators down to the innermost "(" still open, if any.
Outcome Compiler::Finish()
{
    while (m_operatorCount > 0 && Top() != Opcode::Open) {
        if (!MoveTop())
            return Refused();
    }
    return m_operatorCount > 0 ? Outcome::OpenBracket : Outcome::Compiled;
}

} // namespace

std::optional<Token> ReadToken(std::string_view encoded, std::size_t position)
{
    if (position >= encoded.size())
        return std::nullopt;
    if (!IsNumberChar(encoded[position]))
        return Token { ToOpcode(encoded[position]), 1, 0.0 };
    const std::size_t end
        = std::find_if_not(encoded.begin() + position, encoded.end(), IsNumberChar)
        - encoded.begin();
    return ReadNumber(encoded.substr(position, end - position));
}

void CompilePostfix(std::string_view text, std::string& errorText, TPostfixProgram& program)
{
    const std::string encoded = EncodeExpression(text);
    if (IsCompilerMessage(encoded)) {
        errorText = encoded;
        return;
    }
    Compiler compiler;
    switch (compiler.Run(encoded)) {
    case Outcome::Compiled:
        program = compiler.Program();
        errorText.clear();
        break;
    case Outcome::OpenBracket:
        program = compiler.Program();
        errorText = InvalidExpressionMessage;
        break;
    case Outcome::InvalidExpression:
        errorText = InvalidExpressionMessage;
        break;
    case Outcome::InvalidNumber:
        errorText = InvalidNumberMessage;
        break;
    case Outcome::TooManyItems:
        errorText = TooManyItemsMessage;
        break;
    }
}

} // namespace expr
