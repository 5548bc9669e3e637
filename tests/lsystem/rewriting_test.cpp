#include "lsystem/rewriting.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <limits>
#include <string>

namespace lsystem {
namespace {

struct RewriteCase {
    const char* name;
    std::string axiom;
    std::string ruleF;
    std::string ruleG;
    std::int32_t count;
    std::string expected;
};

void PrintTo(const RewriteCase& row, std::ostream* out)
{
    *out << row.name;
}

const RewriteCase RewriteCases[] = {
    { "EmptyWordStaysEmpty", "", "F+F--F+F", "GG", 5, "" },
    { "KochOneStep", "F", "F+F--F+F", "G", 1, "F+F--F+F" },
    { "KochTwoSteps", "F", "F+F--F+F", "G", 2, "F+F--F+F+F+F--F+F--F+F--F+F+F+F--F+F" },
    { "SierpinskiOneStep", "F-G-G", "F-G+F+G-F", "GG", 1, "F-G+F+G-F-GG-GG" },
    { "InsertedSymbolsAreNotRewrittenAgain", "FG", "G", "F", 1, "GF" },
    { "EmptyRuleDeletesItsSymbol", "F+F", "", "G", 1, "+" },
    { "OtherSymbolsPassThrough", "fF(g)", "FF", "G", 1, "fFF(g)" },
    { "AnyByteIsCopied",
        std::string("\0\xff"
                    "F\x8a",
            4),
        "F-", "G", 1,
        std::string("\0\xff"
                    "F-\x8a",
            5) },
    { "RulesMayHoldAnyByte", "GFG", std::string("\0", 1), "\xe8", 1, std::string("\xe8\0\xe8", 3) },
    { "CountZeroKeepsTheAxiom", "F-G", "FF", "GG", 0, "F-G" },
    { "NegativeCountKeepsTheAxiom", "F-G", "FF", "GG", -3, "F-G" },
};

class RewriteTable : public testing::TestWithParam<RewriteCase> { };

TEST_P(RewriteTable, RewritesAndPredictsTheLength)
{
    const RewriteCase& row = GetParam();
    std::string word = row.axiom;
    for (std::int32_t step = 0; step < row.count; ++step)
        Substitute(word, word, row.ruleF, row.ruleG);
    EXPECT_EQ(word, row.expected);
    EXPECT_EQ(RewrittenLength(row.axiom, row.ruleF, row.ruleG, row.count), row.expected.size());
}

INSTANTIATE_TEST_SUITE_P(Rewriting, RewriteTable, testing::ValuesIn(RewriteCases),
    [](const testing::TestParamInfo<RewriteCase>& info) { return info.param.name; });

TEST(Substitute, LeavesTheWordAndReplacesWhatNextWordHeld)
{
    const std::string word = "F-G";
    std::string next = "something longer than the result";
    Substitute(word, next, "FF", "G+G");
    EXPECT_EQ(word, "F-G");
    EXPECT_EQ(next, "FF-G+G");
}

TEST(Substitute, OneStringAsBothWordAndNextWord)
{
    std::string word = "F(G)F";
    Substitute(word, word, "F+F", "");
    EXPECT_EQ(word, "F+F()F+F");
}

// The preset figures, step by step: the length from the symbol counts against the length
// of the word that rewriting really builds.
TEST(RewrittenLength, MatchesRealRewritingOfThePresets)
{
    struct System {
        const char* name;
        const char* axiom;
        const char* ruleF;
        const char* ruleG;
    };
    const System systems[] = {
        { "Koch curve", "F", "F+F--F+F", "G" },
        { "Koch island", "F--F--F", "F+F--F+F", "G" },
        { "Sierpinski 1", "F", "G-F-G", "F+G+F" },
        { "Sierpinski 2", "F-G-G", "F-G+F+G-F", "GG" },
        { "Plant 1", "F", "G(+F)G(-F)+F", "G" },
        { "Plant 3", "F", "G-((F)+F)+G(+GF)-F", "GG" },
        { "Plant 4", "F", "G(+F)(-F)GF", "GG" },
    };
    for (const System& system : systems) {
        std::string word = system.axiom;
        std::string next;
        for (std::int32_t count = 0; count <= 6; ++count) {
            SCOPED_TRACE(std::string(system.name) + " after " + std::to_string(count));
            EXPECT_EQ(
                RewrittenLength(system.axiom, system.ruleF, system.ruleG, count), word.size());
            Substitute(word, next, system.ruleF, system.ruleG);
            word.swap(next);
        }
    }
}

TEST(RewrittenLength, KochCurveAfterTenSteps)
{
    EXPECT_EQ(RewrittenLength("F", "F+F--F+F", "G", 10), 2446676u);
}

TEST(RewrittenLength, SaturatesInsteadOfOverflowing)
{
    constexpr std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(RewrittenLength("F", "FF", "G", 63), std::uint64_t { 1 } << 63);
    EXPECT_EQ(RewrittenLength("F", "FF", "G", 64), max);
    EXPECT_EQ(RewrittenLength("F", "FF", "G", std::numeric_limits<std::int32_t>::max()), max);
    EXPECT_EQ(RewrittenLength("GX", "F", "GGGGGGGGGGGGGGGG", 40), max);
}

} // namespace
} // namespace lsystem
