#include "expr/evaluator.h"

#include "expr/messages.h"
#include "fpu/floating_point_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

using namespace std::string_view_literals;

constexpr double Pi = 3.141592653589793;
constexpr double HalfPi = 1.5707963267948966;

struct Outcome {
    double value;
    std::string errorText;
};

Outcome EvaluateText(const std::string& text, const expr::Variables& variables = {})
{
    Outcome outcome { 0.0, "stale" };
    outcome.value = expr::Evaluate(text, outcome.errorText, variables);
    return outcome;
}

// tolerance 0 asks for the exact double.
struct ValueRow {
    const char* text;
    double expected;
    double tolerance = 0.0;
};

TEST(Evaluate, ComputesValues)
{
    const ValueRow rows[] = {
        { "2+3*4", 14.0 },
        { "-2^2", -4.0 },
        { "2^3^2", 64.0 },
        { "1/3", 1.0 / 3.0 },
        { "20/46", 20.0 / 46.0 },
        { "-0.1", -0.1 },
        { "1,5+1", 2.5 },
        { "(+2)*3", 6.0 },
        { "1/0.000000000000001", 1.0 / 1e-15 },
        { "0^0", 1.0 },
        { "0^2", 0.0 },
        { "(-2)^3", -8.0 },
        { "2^(-2)", 0.25 },
        { "2^0.5", std::exp(0.5 * std::log(2.0)) },
        { "0.0000000000000001^2", 1e-16 * 1e-16 },
        { "2^1023", std::ldexp(1.0, 1023) },
        { "0.5^1074", std::ldexp(1.0, -1074) },
        { "(-1)^(2^52+1)", -1.0 },
        { "1^(2^62)", 1.0 },
        { "0^(2^40)", 0.0 },
        { "0.5^(2^40)", 0.0 },
        { "LN(1)", 0.0 },
        { "LN(0.000000000000001)", std::log(1e-15) },
        { "EXP(1)", std::exp(1.0) },
        { "EXP(-1000)", 0.0 },
        { "TAN(PI/4)", 1.0, 1e-15 },
        { "SQRT(0)", 0.0 },
        { "SQRT(2)*PI", std::sqrt(2.0) * Pi },
        { "SQR(3)", 9.0 },
        { "ABS(-2)", 2.0 },
        { "ARCTAN(1)", std::atan(1.0) },
        { "ARCSIN(1)", HalfPi },
        { "ARCSIN(-1)", -HalfPi },
        { "ARCCOS(1)", 0.0 },
        { "ARCCOS(-1)", Pi },
        { "ARCCOS(0)", HalfPi },
        { "ARCSIN(0.5)", Pi / 6.0, 1e-15 },
        { "ARCCOS(0.5)", Pi / 3.0, 1e-15 },
        { "SIN(PI/6)", 0.5, 1e-15 },
        { "COS(0)", 1.0 },
        { "SIN(10^19)", 0.0 },
        { "COS(-10^19)", 0.0 },
        { "FA(0)", 1.0 },
        { "FA(1)", 1.0 },
        { "FA(5)", 120.0 },
        { "FA(12)", 479001600.0 },
        { "FA(13)", 1932053504.0 },
        { "FA(17)", -288522240.0 },
        { "FA(33)", -2147483648.0 },
        { "FA(34)", 0.0 },
        { "FA(1000)", 0.0 },
        { "FA(2^40)", 0.0 },
        { "X+1", 1.0 },
        { "K*N+R-S+T/2+Y+Z", 0.0 },
    };
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.text);
        const Outcome outcome = EvaluateText(row.text);
        EXPECT_EQ(outcome.errorText, "");
        if (row.tolerance == 0.0)
            EXPECT_EQ(outcome.value, row.expected);
        else
            EXPECT_NEAR(outcome.value, row.expected, row.tolerance);
    }
}

TEST(Evaluate, ReportsErrors)
{
    struct Row {
        const char* text;
        std::string_view message;
        double value = 0.0;
    };
    const Row rows[] = {
        { "1/0", expr::DivisionByZeroMessage },
        { "1/0.0000000000000001", expr::DivisionByZeroMessage },
        { "0^(-1)", expr::PowerBaseMessage },
        { "0^(-(10^19))", expr::PowerBaseMessage },
        { "(-8)^(1/3)", expr::PowerBaseMessage },
        { "0.0000000000000001^0.5", expr::PowerBaseMessage },
        { "LN(0)", expr::LogarithmMessage },
        { "LN(-1)", expr::LogarithmMessage },
        { "LN(0.0000000000000009)", expr::LogarithmMessage },
        { "TAN(PI/2)", expr::TangentMessage },
        { "SQRT(-1)", expr::SquareRootMessage },
        { "ARCSIN(1.0000001)", expr::ArcSinMessage },
        { "ARCCOS(-2)", expr::ArcCosMessage },
        { "FA(2.5)", expr::FactorialMessage },
        { "FA(-1)", expr::FactorialMessage },
        { "FA(-(10^19))", expr::FactorialMessage },
        { "1/0+SQRT(-1)", expr::DivisionByZeroMessage }, // the first error ends the run
        { "2X", expr::UnbalancedStackMessage },
        { "3*4 5", expr::InvalidExpressionMessage },
        { "SIN(1)COS(2)", expr::UnbalancedStackMessage, std::cos(2.0) },
        { "1+", expr::UnbalancedStackMessage },
        { "-", expr::UnbalancedStackMessage },
        { "()", expr::UnbalancedStackMessage },
        { "+", expr::UnbalancedStackMessage },
        { "SQRT()", expr::UnbalancedStackMessage },
        { "1..2", expr::InvalidNumberMessage },
        { ")(", expr::InvalidExpressionMessage },
        { "", expr::InvalidExpressionMessage },
        { "2*-3", expr::InvalidExpressionMessage },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const Outcome outcome = EvaluateText(row.text);
        EXPECT_EQ(outcome.errorText, row.message);
        EXPECT_EQ(outcome.value, row.value);
    }
}

TEST(Evaluate, RaisesArithmeticFaults)
{
    struct Row {
        const char* text;
        fpu::Fault fault;
    };
    const Row rows[] = {
        { "10^200*10^200", fpu::Fault::Overflow },
        { "10^308+10^308", fpu::Fault::Overflow },
        { "-(10^308)-10^308", fpu::Fault::Overflow },
        { "10^300/0.000000001", fpu::Fault::Overflow },
        { "EXP(1000)", fpu::Fault::Overflow },
        { "10^400", fpu::Fault::Overflow },
        { "10^(-400)", fpu::Fault::Overflow },
        { "2^(2^32)", fpu::Fault::Overflow },
        { "SQR(10^200)", fpu::Fault::Overflow },
        { "1.5^2000.5", fpu::Fault::Overflow },
        { "(10^(-10))^(-40)", fpu::Fault::DivisionByZero },
        { "0.5^(-(2^40))", fpu::Fault::DivisionByZero },
        { "2^(10^19)", fpu::Fault::InvalidOperation },
        { "2^(-(10^19))", fpu::Fault::InvalidOperation },
        { "FA(10^19)", fpu::Fault::InvalidOperation },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::string errorText = "stale";
        try {
            expr::Evaluate(row.text, errorText, {});
            ADD_FAILURE() << "no fault raised";
        } catch (const fpu::FloatingPointError& error) {
            EXPECT_EQ(error.fault(), row.fault);
        }
        EXPECT_EQ(errorText, "");
    }
}

TEST(Evaluate, ReadsEachVariable)
{
    const expr::Variables variables { 1, 2, 3, 4, 5, 6, 7, 8 };
    const std::pair<const char*, double> rows[] = {
        { "X", 1 },
        { "y", 2 },
        { "T", 3 },
        { "R", 4 },
        { "S", 5 },
        { "Z", 6 },
        { "K", 7 },
        { "N", 8 },
        { "SQRT(X*X+Z*Z)-K", std::sqrt(37.0) - 7.0 },
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        const Outcome outcome = EvaluateText(text, variables);
        EXPECT_EQ(outcome.errorText, "");
        EXPECT_EQ(outcome.value, expected);
    }
}

TEST(Evaluate, SuccessiveCallsAreIndependent)
{
    std::string errorText;
    const char* sequence[] = { "1..2", "1+1", "(1", "1+1", "1/0", "1+1", "2X", "1+1" };
    for (const char* text : sequence) {
        SCOPED_TRACE(text);
        const double value = expr::Evaluate(text, errorText, {});
        if (std::strcmp(text, "1+1") == 0) {
            EXPECT_EQ(errorText, "");
            EXPECT_EQ(value, 2.0);
        } else {
            EXPECT_NE(errorText, "");
        }
    }
}

TEST(EvaluatePostfix, LeavesTheProgramAsItWas)
{
    expr::TPostfixProgram program;
    std::string errorText;
    expr::CompilePostfix("SIN(X)^2+FA(4)/Y", errorText, program);
    const expr::TPostfixProgram copy = program;
    const expr::Variables variables { 0.5, 2.0 };
    const double first = expr::EvaluatePostfix(program, errorText, variables);
    const double second = expr::EvaluatePostfix(program, errorText, variables);
    EXPECT_EQ(errorText, "");
    EXPECT_EQ(first, std::sin(0.5) * std::sin(0.5) + 12.0);
    EXPECT_EQ(second, first);
    EXPECT_EQ(std::memcmp(&copy, &program, sizeof program), 0);
}

TEST(EvaluatePostfix, EntryTestAndOddPrograms)
{
    using expr::Opcode;
    expr::TPostfixProgram program {};
    program[0] = { Opcode::Number, 1.0 };
    std::string errorText = std::string(expr::InvalidNumberMessage);
    EXPECT_EQ(expr::EvaluatePostfix(program, errorText, {}), 0.0);
    EXPECT_EQ(errorText, expr::InvalidNumberMessage);

    errorText = expr::UnbalancedStackMessage;
    EXPECT_EQ(expr::EvaluatePostfix(program, errorText, {}), 1.0);
    EXPECT_EQ(errorText, "");

    // No end marker: the run stops after the last cell.
    program.fill({ Opcode::Negate, 0.0 });
    program[0] = { Opcode::Number, 1.0 };
    EXPECT_EQ(expr::EvaluatePostfix(program, errorText, {}), -1.0);
    EXPECT_EQ(errorText, "");

    // A parenthesis is no program cell.
    program[1] = { Opcode::Open, 0.0 };
    EXPECT_EQ(expr::EvaluatePostfix(program, errorText, {}), 0.0);
    EXPECT_EQ(errorText, expr::UnbalancedStackMessage);
}

} // namespace
