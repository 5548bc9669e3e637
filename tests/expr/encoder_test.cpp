#include "expr/encoder.h"

#include "expr/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using expr::EncodeExpression;

// Expected encodings are written byte by byte, the operator codes as \xC7 (unary minus) and
// \xC8 to \xD3 (the functions).
struct EncodeRow {
    const char* text;
    std::string encoded;
};

TEST(EncodeExpression, EncodesAcceptedTexts)
{
    const std::string minus = "\xC7";
    const EncodeRow rows[] = {
        { "1/3", "1/3" },
        { "20/46", "20/46" },
        { "0.7", "0.7" },
        { "-0.1", minus + "0.1" },
        { "(-X)", "(" + minus + "X)" },
        { "-(-1)", minus + "(" + minus + "1)" },
        { "0,5", "0.5" },
        { "1,5,2", "1.5.2" },
        { "1..2", "1..2" },
        { "sin(x)", "\xC8(X)" },
        { "Sqrt(2)*pi", "\xCF(2)*P" },
        { "sqr(3)", "\xCE(3)" },
        { "ARCTAN(1)", "\xCC(1)" },
        { "ARCSIN(1)", "\xD1(1)" },
        { "ARCCOS(1)", "\xD2(1)" },
        { "ABS(1)", "\xD0(1)" },
        { "EXP(1)", "\xCA(1)" },
        { "ln(2)", "\xCB(2)" },
        { "TAN(1)", "\xCD(1)" },
        { "COS(0)", "\xC9(0)" },
        { "FA(5)", "\xD3(5)" },
        { "SQRT(X*X+Y*Y)", "\xCF(X*X+Y*Y)" },
        { "(+2)", "(2)" },
        { "+", "" },
        { "+1-2", "1-2" },
        { "2^(-1)", "2^(" + minus + "1)" },
        { "PI", "P" },
        { "2PI", "2P" },
        { "PI(2)", "P(2)" },
        { "PI2", "P2" },
        { ")(", ")(" },
        { "1+", "1+" },
        { "2X", "2X" },
        { "X2", "X2" },
        { "x*y", "X*Y" },
        { "S*N", "S*N" },
        { "S-R", "S-R" },
        { "k+t+z", "K+T+Z" },
        { "()", "()" },
    };
    for (const EncodeRow& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(EncodeExpression(row.text), row.encoded);
    }
}

TEST(EncodeExpression, RejectsTextsOutsideTheSyntax)
{
    const std::string rejected[] = {
        "", // nothing to evaluate
        "2^-1", "2*-3", "1+*2", "(1+)", "--1", "(-)", // operator before operator or ")"
        "1 + 2", "1;2", "1e5", "A", "E", "D", "P", "T+A", // characters and one-letter runs
        "\xE9", "1\xC8", "\xC4\x9B", "x\x80", // bytes above 127, UTF-8 included
        ".5", "5.", "X.5", "(.5)", "2,", // full stops without digits on both sides
        "XY", "SINX", "SIN2", "SIN", "SIN (1)", "SINH(1)", "ARCSIN1", "PIE", // letter runs
        "((1)", "(1))", "(", // bracket counts
    };
    for (const std::string& text : rejected) {
        SCOPED_TRACE(text);
        EXPECT_EQ(EncodeExpression(text), expr::InvalidExpressionMessage);
    }
}

} // namespace
