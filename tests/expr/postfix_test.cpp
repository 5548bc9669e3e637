#include "expr/postfix.h"

#include "expr/messages.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <string>
#include <vector>

namespace {

using expr::Opcode;
using expr::TPostfixItem;
using expr::TPostfixProgram;

constexpr double Pi = 3.141592653589793;

TPostfixItem Num(double value)
{
    return { Opcode::Number, value };
}
TPostfixItem Op(Opcode code)
{
    return { code, 0.0 };
}
TPostfixItem Op(char c)
{
    return { expr::ToOpcode(c), 0.0 };
}

std::string Describe(const TPostfixItem& item)
{
    if (item.Kind == Opcode::Number)
        return std::to_string(item.Value);
    const auto code = static_cast<unsigned>(item.Kind);
    return code < 128 ? std::string(1, static_cast<char>(code)) : "<" + std::to_string(code) + ">";
}

// The program must hold exactly the items, then end markers of value 0 in every later cell.
void ExpectProgram(const TPostfixProgram& program, const std::vector<TPostfixItem>& items)
{
    for (std::size_t i = 0; i < program.size(); ++i) {
        SCOPED_TRACE("cell " + std::to_string(i));
        const TPostfixItem expected = i < items.size() ? items[i] : TPostfixItem {};
        EXPECT_EQ(Describe(program[i]), Describe(expected));
        EXPECT_EQ(program[i].Value, expected.Value);
    }
}

// A program no compilation produces, to tell whether the caller's program was written.
TPostfixProgram Sentinel()
{
    TPostfixProgram program;
    program.fill(Num(-7.0));
    return program;
}

std::string Repeat(const std::string& part, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += part;
    return text;
}

struct CompileRow {
    std::string text;
    std::vector<TPostfixItem> items;
};

TEST(CompilePostfix, CompilesByPrecedence)
{
    const CompileRow rows[] = {
        { "1/3", { Num(1), Num(3), Op('/') } },
        { "20/46", { Num(20), Num(46), Op('/') } },
        { "-0.1", { Num(0.1), Op(Opcode::Negate) } },
        { "1+2*3", { Num(1), Num(2), Num(3), Op('*'), Op('+') } },
        { "(1+2)*3", { Num(1), Num(2), Op('+'), Num(3), Op('*') } },
        { "2-3-4", { Num(2), Num(3), Op('-'), Num(4), Op('-') } },
        { "8/4/2", { Num(8), Num(4), Op('/'), Num(2), Op('/') } },
        { "2*3^2", { Num(2), Num(3), Num(2), Op('^'), Op('*') } },
        { "2^3^2", { Num(2), Num(3), Op('^'), Num(2), Op('^') } },
        { "PI/4", { Num(Pi), Num(4), Op('/') } },
        { "2^(-1)", { Num(2), Num(1), Op(Opcode::Negate), Op('^') } },
        { "SQRT(X*X+Y*Y)",
            { Op('X'), Op('X'), Op('*'), Op('Y'), Op('Y'), Op('*'), Op('+'), Op(Opcode::Sqrt) } },
        { "SIN(X)^2", { Op('X'), Op(Opcode::Sin), Num(2), Op('^') } },
        { "2*SIN(X)", { Num(2), Op('X'), Op(Opcode::Sin), Op('*') } },
        { "-SIN(X)", { Op('X'), Op(Opcode::Sin), Op(Opcode::Negate) } },
        { "FA(SQR(3))", { Num(3), Op(Opcode::Sqr), Op(Opcode::Fa) } },
        { "-2^2", { Num(2), Num(2), Op('^'), Op(Opcode::Negate) } },
        { "-X*Y", { Op('X'), Op('Y'), Op('*'), Op(Opcode::Negate) } },
        { "-X+1", { Op('X'), Op(Opcode::Negate), Num(1), Op('+') } },
        { "(((1)))", { Num(1) } },
        { "1+", { Num(1), Op('+') } },
        { "-", { Op(Opcode::Negate) } },
        { "2X", { Num(2), Op('X') } },
        { "PI(2)", { Num(Pi), Num(2) } },
        { "SIN(1)COS(2)", { Num(1), Op(Opcode::Sin), Num(2), Op(Opcode::Cos) } },
        { "+", {} },
        { "()", {} },
    };
    for (const CompileRow& row : rows) {
        SCOPED_TRACE(row.text);
        TPostfixProgram program = Sentinel();
        std::string errorText = "stale";
        expr::CompilePostfix(row.text, errorText, program);
        EXPECT_EQ(errorText, "");
        ExpectProgram(program, row.items);
    }
}

TEST(CompilePostfix, FailuresLeaveTheProgram)
{
    struct Row {
        std::string text;
        std::string_view message;
    };
    const Row rows[] = {
        { "1..2", expr::InvalidNumberMessage },
        { "1,5,2", expr::InvalidNumberMessage },
        { "1" + std::string(309, '0'), expr::InvalidNumberMessage }, // beyond the largest double
        { ")(", expr::InvalidExpressionMessage },
        { "(1))(", expr::InvalidExpressionMessage },
        { "T+A", expr::InvalidExpressionMessage },
        { "", expr::InvalidExpressionMessage },
        { Repeat("(1)", 256), expr::TooManyItemsMessage }, // the 256th item a number
        { "ABS(1)" + Repeat("+1", 127), expr::TooManyItemsMessage }, // the 256th an operation
        { Repeat("(", 256) + "1" + Repeat(")", 256), expr::InvalidExpressionMessage },
        { Repeat("-(", 128) + "1" + Repeat(")", 128), expr::InvalidExpressionMessage },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 40));
        TPostfixProgram program = Sentinel();
        std::string errorText;
        expr::CompilePostfix(row.text, errorText, program);
        EXPECT_EQ(errorText, row.message);
        ExpectProgram(program, std::vector<TPostfixItem>(program.size(), Num(-7.0)));
    }
}

TEST(CompilePostfix, FillsTheProgramToCapacity)
{
    std::string errorText;
    TPostfixProgram program;
    expr::CompilePostfix(Repeat("(1)", 255), errorText, program);
    EXPECT_EQ(errorText, "");
    ExpectProgram(program, std::vector<TPostfixItem>(255, Num(1)));

    expr::CompilePostfix(Repeat("(", 255) + "X" + Repeat(")", 255), errorText, program);
    EXPECT_EQ(errorText, "");
    ExpectProgram(program, { Op('X') });
}

TEST(CompilePostfix, SuccessiveCallsAreIndependent)
{
    std::string errorText;
    TPostfixProgram program;
    expr::CompilePostfix("(1+2", errorText, program);
    EXPECT_EQ(errorText, expr::InvalidExpressionMessage);
    expr::CompilePostfix("1..2", errorText, program);
    EXPECT_EQ(errorText, expr::InvalidNumberMessage);
    expr::CompilePostfix("3*(4", errorText, program);
    expr::CompilePostfix("7", errorText, program);
    EXPECT_EQ(errorText, "");
    ExpectProgram(program, { Num(7) });
}

TEST(ReadToken, ReadsNumbersAndSingleCharacters)
{
    struct Row {
        const char* name;
        std::string encoded;
        std::size_t position;
        Opcode kind;
        std::size_t length;
        double value;
    };
    const std::string largest = [] {
        char digits[400];
        const auto end
            = std::to_chars(digits, digits + sizeof digits, DBL_MAX, std::chars_format::fixed).ptr;
        return std::string(digits, end);
    }();
    const Row rows[] = {
        { "number", "12.5+1", 0, Opcode::Number, 4, 12.5 },
        { "operator", "12.5+1", 4, Opcode::Add, 1, 0.0 },
        { "last digit", "12.5+1", 5, Opcode::Number, 1, 1.0 },
        { "function code", "\xC8(X)", 0, Opcode::Sin, 1, 0.0 },
        { "unary minus", "(\xC7X)", 1, Opcode::Negate, 1, 0.0 },
        { "two full stops", "1..2*3", 0, Opcode::BadNumber, 4, 0.0 },
        { "three parts", "1.5.2", 0, Opcode::BadNumber, 5, 0.0 },
        { "too large", "1" + std::string(309, '0'), 0, Opcode::BadNumber, 310, 0.0 },
        { "largest double", largest, 0, Opcode::Number, largest.size(), DBL_MAX },
        { "underflow", "0." + std::string(400, '0') + "1", 0, Opcode::Number, 403, 0.0 },
        { "smallest denormal", "0." + std::string(323, '0') + "5", 0, Opcode::Number, 326,
            4.9406564584124654e-324 },
        { "tie to even", "1.00000000000000011102230246251565404236316680908203125", 0,
            Opcode::Number, 55, 1.0 },
        { "above the tie", "1.00000000000000011102230246251565404236316680908203126", 0,
            Opcode::Number, 55, 1.0000000000000002 },
        { "beyond 2^53", "9007199254740993", 0, Opcode::Number, 16, 9007199254740992.0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<expr::Token> token = expr::ReadToken(row.encoded, row.position);
        ASSERT_TRUE(token.has_value());
        EXPECT_EQ(static_cast<int>(token->Kind), static_cast<int>(row.kind));
        EXPECT_EQ(token->Length, row.length);
        if (row.kind == Opcode::Number) {
            EXPECT_EQ(token->Value, row.value);
        }
    }
    EXPECT_FALSE(expr::ReadToken("", 0).has_value());
    EXPECT_FALSE(expr::ReadToken("1+2", 3).has_value());
}

} // namespace
