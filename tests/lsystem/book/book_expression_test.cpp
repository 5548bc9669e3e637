#include "lsystem/book/book_expression.h"

#include "expr/evaluator.h"
#include "fpu/floating_point_error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using lsystem::book::BookExpression;

// A random expression both syntaxes accept: unary minus only first in a bracket, functions
// directly before "(", the variables X and Y.
std::string RandomExpression(std::mt19937& random, int depth)
{
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    static const char* const operands[] = { "X", "Y", "2", "0.5", "3", "1.25", "10", "0", "PI" };
    static const char* const functions[] = { "sin", "cos", "EXP", "ln", "arctan", "tan", "sqr",
        "sqrt", "abs", "arcsin", "arccos", "fa" };
    static const char* const operators[] = { "+", "-", "*", "/", "^" };
    std::string text = pick(4) == 0 ? "-" : "";
    const int terms = 1 + pick(depth > 0 ? 3 : 1);
    for (int term = 0; term < terms; ++term) {
        if (term > 0)
            text += operators[pick(5)];
        const int kind = depth > 0 ? pick(4) : 0;
        if (kind == 0 || kind == 1)
            text += operands[pick(9)];
        else if (kind == 2)
            text += "(" + RandomExpression(random, depth - 1) + ")";
        else
            text += std::string(functions[pick(12)]) + "(" + RandomExpression(random, depth - 1)
                + ")";
    }
    return text;
}

// How an evaluation ended: a value, a domain error, or an arithmetic fault.
struct Ending {
    enum class Kind { Value, DomainError, Fault } kind;
    double value = 0.0;
};

Ending Field(const std::string& text, double x, double y)
{
    std::string error;
    expr::Variables variables;
    variables.X = x;
    variables.Y = y;
    try {
        const double value = expr::Evaluate(text, error, variables);
        if (!error.empty())
            return { Ending::Kind::DomainError };
        return { Ending::Kind::Value, value };
    } catch (const fpu::FloatingPointError&) {
        return { Ending::Kind::Fault };
    }
}

Ending Rule(const std::string& text, double x, double y)
{
    const std::vector<std::string> parameters { "X", "Y" };
    std::size_t position = 0;
    lsystem::book::BookParseError error;
    const auto expression
        = BookExpression::Read(text, position, 1, { &parameters, nullptr }, error);
    if (!expression)
        return { Ending::Kind::DomainError }; // a constant that failed as it was computed
    EXPECT_EQ(position, text.size()) << text;
    const double values[] = { x, y };
    try {
        return { Ending::Kind::Value, expression->Evaluate(values) };
    } catch (const lsystem::book::BookDerivationError&) {
        return { Ending::Kind::DomainError };
    } catch (const fpu::FloatingPointError&) {
        return { Ending::Kind::Fault };
    }
}

TEST(BookExpression, ComputesWhatTheFieldsCompute)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> values(-4.0, 4.0);
    int agreed = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const std::string text = RandomExpression(random, 3);
        const double x = trial % 3 == 0 ? static_cast<double>(static_cast<int>(values(random)))
                                        : values(random);
        const double y = values(random);
        const Ending field = Field(text, x, y);
        const Ending rule = Rule(text, x, y);
        SCOPED_TRACE(text);
        if (field.kind == Ending::Kind::Value) {
            ASSERT_EQ(rule.kind, Ending::Kind::Value);
            ASSERT_EQ(std::memcmp(&field.value, &rule.value, sizeof(double)), 0)
                << field.value << " " << rule.value;
            ++agreed;
        } else {
            ASSERT_NE(rule.kind, Ending::Kind::Value);
        }
    }
    EXPECT_GT(agreed, 10000);
}

TEST(BookExpression, ComparisonsAndLogic)
{
    const struct {
        const char* text;
        double value;
    } rows[] = {
        { "1 < 2", 1 },
        { "2 <= 2", 1 },
        { "2 > 2", 0 },
        { "3 >= 2", 1 },
        { "2 = 2", 1 },
        { "2 == 3", 0 },
        { "2 != 3", 1 },
        { "1 and 0", 0 },
        { "1 && 2", 1 },
        { "0 or 0", 0 },
        { "0 || 5", 1 },
        { "not 0", 1 },
        { "!3", 0 },
        { "1 + 2 < 4 and 2 * 3 = 6", 1 },
        { "not 1 or 1", 1 },
        { "2*-3", -6 },
        { "2^-1", 0.5 },
        { "-2^2", -4 },
        { "2^3^2", 64 },
        { "0 and 1/0", 0 },
        { "1 or 1/0", 1 },
        { "sin(0) + ABS(-2)", 2 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const std::string text = row.text;
        std::size_t position = 0;
        lsystem::book::BookParseError error;
        const auto expression = BookExpression::Read(text, position, 1, {}, error);
        ASSERT_TRUE(expression.has_value()) << error.Text();
        EXPECT_EQ(position, text.size());
        EXPECT_EQ(expression->Evaluate(nullptr), row.value);
    }
}

} // namespace
