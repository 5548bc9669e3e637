#include "lsystem/book/book_expression.h"

#include "expr/encoder.h"
#include "expr/messages.h"
#include "expr/operations.h"
#include "fpu/floating_point_error.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace lsystem::book {
namespace {

using Op = BookExpression::Op;
using Instruction = BookExpression::Instruction;

// Deeper nesting than this is refused, which keeps both the parser's recursion and the value
// stack bounded.
constexpr int MaxNesting = 48;

// The evaluator's domain errors in this notation's language.
std::string_view EnglishMessage(std::string_view message)
{
    struct Pair {
        std::string_view field;
        std::string_view english;
    };
    static constexpr std::array<Pair, 8> pairs { {
        { expr::DivisionByZeroMessage, "division by zero" },
        { expr::PowerBaseMessage, "no real power of this base" },
        { expr::LogarithmMessage, "logarithm of a number that is not positive" },
        { expr::TangentMessage, "tangent undefined" },
        { expr::SquareRootMessage, "square root of a negative number" },
        { expr::ArcSinMessage, "arcsin of a number outside [-1, 1]" },
        { expr::ArcCosMessage, "arccos of a number outside [-1, 1]" },
        { expr::FactorialMessage, "factorial of a number that is no natural number" },
    } };
    for (const Pair& pair : pairs)
        if (pair.field == message)
            return pair.english;
    return message;
}

bool IsNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// One expression's recursive descent; each function reads the rule named in the header.
class Parser {
public:
    Parser(std::string_view line, std::size_t position, int row, const NameScope& scope)
        : m_line(line)
        , m_position(position)
        , m_row(row)
        , m_scope(scope)
    {
    }

    bool Parse() { return Or(0) && !m_failed; }
    std::vector<Instruction>& code() { return m_code; }
    std::size_t position() const { return m_position; }
    const BookParseError& error() const { return m_error; }

private:
    void SkipBlanks()
    {
        while (
            m_position < m_line.size() && (m_line[m_position] == ' ' || m_line[m_position] == '\t'))
            ++m_position;
    }
    bool Take(std::string_view token)
    {
        SkipBlanks();
        if (m_line.substr(m_position, token.size()) != token)
            return false;
        m_position += token.size();
        return true;
    }
    // A word such as "and" only when no name character follows it.
    bool TakeWord(std::string_view word)
    {
        SkipBlanks();
        const std::size_t end = m_position + word.size();
        if (m_line.substr(m_position, word.size()) != word
            || (end < m_line.size() && IsNameChar(m_line[end])))
            return false;
        m_position = end;
        return true;
    }
    bool Fail(std::string message)
    {
        if (!m_failed)
            m_error = { m_row, static_cast<int>(m_position) + 1, std::move(message) };
        m_failed = true;
        return false;
    }
    bool Nested(int depth)
    {
        return depth <= MaxNesting || Fail("The expression is nested too deeply.");
    }
    void Emit(
        Op op, expr::Opcode code = expr::Opcode::End, std::uint16_t index = 0, double value = 0.0)
    {
        m_code.push_back({ op, code, index, value });
    }

    bool Or(int depth)
    {
        if (!Nested(depth) || !And(depth + 1))
            return false;
        while (TakeWord("or") || Take("||")) {
            const std::size_t jump = m_code.size();
            Emit(Op::OrJump);
            if (!And(depth + 1))
                return false;
            Emit(Op::Truth);
            m_code[jump].index = static_cast<std::uint16_t>(m_code.size());
        }
        return true;
    }
    bool And(int depth)
    {
        if (!Not(depth))
            return false;
        while (TakeWord("and") || Take("&&")) {
            const std::size_t jump = m_code.size();
            Emit(Op::AndJump);
            if (!Not(depth))
                return false;
            Emit(Op::Truth);
            m_code[jump].index = static_cast<std::uint16_t>(m_code.size());
        }
        return true;
    }
    bool Not(int depth)
    {
        SkipBlanks();
        if (TakeWord("not") || (m_line.substr(m_position, 2) != "!=" && Take("!"))) {
            if (!Nested(depth + 1) || !Not(depth + 1))
                return false;
            Emit(Op::Not);
            return true;
        }
        return Comparison(depth);
    }
    bool Comparison(int depth)
    {
        if (!Sum(depth))
            return false;
        static constexpr std::array<std::pair<std::string_view, Op>, 7> comparisons { {
            { "<=", Op::LessEqual },
            { ">=", Op::GreaterEqual },
            { "==", Op::Equal },
            { "!=", Op::NotEqual },
            { "<", Op::Less },
            { ">", Op::Greater },
            { "=", Op::Equal },
        } };
        for (const auto& [text, op] : comparisons) {
            if (Take(text)) {
                if (!Sum(depth))
                    return false;
                Emit(op);
                return true;
            }
        }
        return true;
    }
    bool Sum(int depth)
    {
        if (!Term(depth))
            return false;
        for (;;) {
            SkipBlanks();
            // "->" ends the expression: it is the arrow of a rule.
            if (m_line.substr(m_position, 2) == "->")
                return true;
            const expr::Opcode code = Take("+") ? expr::Opcode::Add
                : Take("-")                     ? expr::Opcode::Subtract
                                                : expr::Opcode::End;
            if (code == expr::Opcode::End)
                return true;
            if (!Term(depth))
                return false;
            Emit(Op::Infix, code);
        }
    }
    bool Term(int depth)
    {
        if (!Nested(depth))
            return false;
        if (Take("-")) {
            if (!Term(depth + 1))
                return false;
            Emit(Op::Unary, expr::Opcode::Negate);
            return true;
        }
        if (Take("+"))
            return Term(depth + 1);
        return Product(depth);
    }
    bool Product(int depth)
    {
        if (!Factor(depth))
            return false;
        for (;;) {
            const expr::Opcode code = Take("*") ? expr::Opcode::Multiply
                : Take("/")                     ? expr::Opcode::Divide
                                                : expr::Opcode::End;
            if (code == expr::Opcode::End)
                return true;
            if (!Factor(depth))
                return false;
            Emit(Op::Infix, code);
        }
    }
    bool Factor(int depth)
    {
        if (!Nested(depth))
            return false;
        if (Take("-")) {
            if (!Factor(depth + 1))
                return false;
            Emit(Op::Unary, expr::Opcode::Negate);
            return true;
        }
        return Power(depth);
    }
    bool Power(int depth)
    {
        if (!Primary(depth))
            return false;
        while (Take("^")) {
            if (!Exponent(depth))
                return false;
            Emit(Op::Infix, expr::Opcode::Power);
        }
        return true;
    }
    bool Exponent(int depth)
    {
        if (!Nested(depth))
            return false;
        if (Take("-")) {
            if (!Exponent(depth + 1))
                return false;
            Emit(Op::Unary, expr::Opcode::Negate);
            return true;
        }
        return Primary(depth);
    }
    bool Primary(int depth)
    {
        SkipBlanks();
        if (m_position >= m_line.size())
            return Fail("An expression is missing here.");
        const char c = m_line[m_position];
        if (c == '(') {
            ++m_position;
            if (!Nested(depth + 1) || !Or(depth + 1))
                return false;
            return Take(")") || Fail("Expected \")\".");
        }
        if ((c >= '0' && c <= '9') || c == '.')
            return Number();
        if (IsNameStart(c))
            return Name(depth);
        return Fail(std::string("Unexpected \"") + c + "\" in an expression.");
    }
    bool Number()
    {
        const std::size_t start = m_position;
        while (m_position < m_line.size()
            && ((m_line[m_position] >= '0' && m_line[m_position] <= '9')
                || m_line[m_position] == '.'))
            ++m_position;
        const std::string_view digits = m_line.substr(start, m_position - start);
        double value = 0.0;
        const auto [end, error] = std::from_chars(
            digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
        // Too large for a double is no number; too small is 0, as in the fields.
        const bool tooSmall = error == std::errc::result_out_of_range
            && digits.substr(0, digits.find('.')).find_first_not_of('0') == std::string_view::npos;
        if (tooSmall) {
            value = 0.0;
        } else if (error != std::errc {} || end != digits.data() + digits.size()) {
            m_position = start;
            return Fail("\"" + std::string(digits) + "\" is no number.");
        }
        Emit(Op::Number, expr::Opcode::End, 0, value);
        return true;
    }
    bool Name(int depth)
    {
        const std::size_t start = m_position;
        while (m_position < m_line.size() && IsNameChar(m_line[m_position]))
            ++m_position;
        const std::string_view name = m_line.substr(start, m_position - start);
        if (m_position < m_line.size() && m_line[m_position] == '(') {
            const std::string upper = Upper(name);
            const auto function
                = std::find_if(expr::FunctionNames.begin(), expr::FunctionNames.end(),
                    [&](const expr::FunctionName& f) { return f.Text == upper; });
            if (function != expr::FunctionNames.end()) {
                ++m_position;
                if (!Nested(depth + 1) || !Or(depth + 1))
                    return false;
                if (!Take(")"))
                    return Fail("Expected \")\".");
                Emit(Op::Unary, function->Code);
                return true;
            }
        }
        if (m_scope.parameters) {
            const auto& names = *m_scope.parameters;
            const auto found = std::find(names.begin(), names.end(), name);
            if (found != names.end()) {
                Emit(Op::Parameter, expr::Opcode::End,
                    static_cast<std::uint16_t>(found - names.begin()));
                return true;
            }
        }
        if (m_scope.constants) {
            for (const auto& [constant, value] : *m_scope.constants) {
                if (constant == name) {
                    Emit(Op::Number, expr::Opcode::End, 0, value);
                    return true;
                }
            }
        }
        if (Upper(name) == "PI") {
            Emit(Op::Number, expr::Opcode::End, 0, expr::operations::Pi);
            return true;
        }
        m_position = start;
        return Fail("Unknown name \"" + std::string(name) + "\".");
    }

    std::string_view m_line;
    std::size_t m_position;
    int m_row;
    const NameScope& m_scope;
    std::vector<Instruction> m_code;
    BookParseError m_error;
    bool m_failed = false;
};

// The deepest the value stack grows; a jump's target sees the depth its jump left.
std::size_t StackDepth(const std::vector<Instruction>& code)
{
    std::size_t depth = 0;
    std::size_t deepest = 0;
    for (const Instruction& instruction : code) {
        switch (instruction.op) {
        case Op::Number:
        case Op::Parameter:
            ++depth;
            break;
        case Op::Infix:
        case Op::Less:
        case Op::LessEqual:
        case Op::Greater:
        case Op::GreaterEqual:
        case Op::Equal:
        case Op::NotEqual:
        case Op::AndJump:
        case Op::OrJump:
            --depth;
            break;
        case Op::Unary:
        case Op::Not:
        case Op::Truth:
            break;
        }
        deepest = std::max(deepest, depth);
    }
    return deepest;
}

} // namespace

std::optional<BookExpression> BookExpression::Read(std::string_view line, std::size_t& position,
    int row, const NameScope& scope, BookParseError& error)
{
    while (position < line.size() && (line[position] == ' ' || line[position] == '\t'))
        ++position;
    const std::size_t start = position;
    Parser parser(line, position, row, scope);
    if (!parser.Parse()) {
        error = parser.error();
        return std::nullopt;
    }
    position = parser.position();
    BookExpression expression;
    expression.m_code = std::move(parser.code());
    expression.m_row = row;
    expression.m_column = static_cast<int>(start) + 1;
    if (StackDepth(expression.m_code) > MaxStack) {
        error = { row, expression.m_column, "The expression is too long." };
        return std::nullopt;
    }
    const auto& code = expression.m_code;
    const bool usesParameters = std::any_of(
        code.begin(), code.end(), [](const Instruction& i) { return i.op == Op::Parameter; });
    if (code.size() == 1 && code.front().op == Op::Parameter) {
        expression.m_shape = Shape::Parameter;
        expression.m_slot = code.front().index;
    } else if (code.size() == 3 && code[0].op == Op::Parameter && code[1].op == Op::Number
        && code[2].op == Op::Infix) {
        expression.m_shape = Shape::ParameterWithNumber;
        expression.m_slot = code[0].index;
        expression.m_value = code[1].value;
        expression.m_operation = code[2].code;
    } else if (!usesParameters) {
        // Computed once here; a domain error or fault is reported where the expression stands.
        std::string_view domainError;
        std::string fault;
        try {
            expression.m_value = expression.Compute(nullptr, domainError);
        } catch (const fpu::FloatingPointError& raised) {
            fault = raised.what();
        }
        if (!domainError.empty() || !fault.empty()) {
            error = { row, expression.m_column,
                fault.empty() ? std::string(EnglishMessage(domainError)) : fault };
            return std::nullopt;
        }
        expression.m_shape = Shape::Constant;
    }
    return expression;
}

void BookExpression::Fail(std::string_view message) const
{
    throw BookDerivationError("Row " + std::to_string(m_row) + ", column "
        + std::to_string(m_column) + ": " + std::string(EnglishMessage(message)));
}

double BookExpression::WithNumber(double parameter) const
{
    const auto outcome = expr::operations::ApplyInfix(m_operation, parameter, m_value);
    if (!outcome.Error.empty())
        Fail(outcome.Error);
    return outcome.Value;
}

double BookExpression::Run(const double* parameters) const
{
    std::string_view error;
    const double value = Compute(parameters, error);
    if (!error.empty())
        Fail(error);
    return value;
}

double BookExpression::Compute(const double* parameters, std::string_view& error) const
{
    std::array<double, MaxStack> stack;
    std::size_t size = 0;
    const std::size_t count = m_code.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Instruction& instruction = m_code[i];
        switch (instruction.op) {
        case Op::Number:
            stack[size++] = instruction.value;
            break;
        case Op::Parameter:
            stack[size++] = parameters[instruction.index];
            break;
        case Op::Infix: {
            const double y = stack[--size];
            const auto outcome = expr::operations::ApplyInfix(instruction.code, stack[size - 1], y);
            if (!outcome.Error.empty()) {
                error = outcome.Error;
                return 0.0;
            }
            stack[size - 1] = outcome.Value;
            break;
        }
        case Op::Unary: {
            const auto outcome = expr::operations::ApplyFunction(instruction.code, stack[size - 1]);
            if (!outcome.Error.empty()) {
                error = outcome.Error;
                return 0.0;
            }
            stack[size - 1] = outcome.Value;
            break;
        }
        case Op::Less:
            --size;
            stack[size - 1] = stack[size - 1] < stack[size] ? 1.0 : 0.0;
            break;
        case Op::LessEqual:
            --size;
            stack[size - 1] = stack[size - 1] <= stack[size] ? 1.0 : 0.0;
            break;
        case Op::Greater:
            --size;
            stack[size - 1] = stack[size - 1] > stack[size] ? 1.0 : 0.0;
            break;
        case Op::GreaterEqual:
            --size;
            stack[size - 1] = stack[size - 1] >= stack[size] ? 1.0 : 0.0;
            break;
        case Op::Equal:
            --size;
            stack[size - 1] = stack[size - 1] == stack[size] ? 1.0 : 0.0;
            break;
        case Op::NotEqual:
            --size;
            stack[size - 1] = stack[size - 1] != stack[size] ? 1.0 : 0.0;
            break;
        case Op::Not:
            stack[size - 1] = stack[size - 1] == 0.0 ? 1.0 : 0.0;
            break;
        case Op::Truth:
            stack[size - 1] = stack[size - 1] != 0.0 ? 1.0 : 0.0;
            break;
        case Op::AndJump:
            if (stack[size - 1] == 0.0)
                i = instruction.index - 1u;
            else
                --size;
            break;
        case Op::OrJump:
            if (stack[size - 1] != 0.0) {
                stack[size - 1] = 1.0;
                i = instruction.index - 1u;
            } else {
                --size;
            }
            break;
        }
    }
    return stack[0];
}

} // namespace lsystem::book
