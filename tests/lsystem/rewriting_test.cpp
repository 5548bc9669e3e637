#include "lsystem/rules/rewriting.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace lsystem {
namespace {

struct RewriteCase {
    const char* name;
    std::string axiom;
    std::string ruleF;
    std::string ruleG;
    std::int32_t count;
    std::string expected;
    std::vector<Rule> more = {};
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
    { "AnySymbolMayHaveARule", "X", "FF", "G", 2, "FF-(F-(X)+X)+F-(X)+X",
        { { 'X', 1, "F-(X)+X" } } },
    { "CaseTellsSymbolsApart", "fFx", "F", "G", 1, "ffFxx",
        { { 'f', 1, "ff" }, { 'x', 1, "xx" } } },
    { "TurtleCommandsKeepNoRule", "+-()", "F", "G", 1, "+-()",
        { { '+', 1, "F" }, { '-', 1, "F" }, { '(', 1, "F" }, { ')', 1, "F" } } },
    { "AnyByteMayHaveARule", std::string("\0\xff", 2), "F", "G", 1, "ab",
        { { '\0', 1, "a" }, { '\xff', 1, "b" } } },
};

class RewriteTable : public testing::TestWithParam<RewriteCase> { };

TEST_P(RewriteTable, RewritesAndPredictsTheLength)
{
    const RewriteCase& row = GetParam();
    EXPECT_EQ(Rewrite({ row.axiom, row.ruleF, row.ruleG, row.count, row.more, 0 }), row.expected);
    const RuleTable rules(row.ruleF, row.ruleG, row.more);
    EXPECT_EQ(RewrittenLength(row.axiom, rules, row.count), row.expected.size());
    // A symbol with a rule and one without, counted alone.
    SymbolSet counted;
    counted.set('F').set('-');
    EXPECT_EQ(RewrittenCount(row.axiom, rules, row.count, counted),
        static_cast<std::uint64_t>(std::ranges::count_if(
            row.expected, [](char symbol) { return symbol == 'F' || symbol == '-'; })));
}

INSTANTIATE_TEST_SUITE_P(Rewriting, RewriteTable, testing::ValuesIn(RewriteCases),
    [](const testing::TestParamInfo<RewriteCase>& info) { return info.param.name; });

TEST(Substitute, LeavesTheWordAndReplacesWhatNextWordHeld)
{
    const std::string word = "F-G";
    std::string next = "something longer than the result";
    Substitute(word, next, RuleTable("FF", "G+G", {}), 0, 0);
    EXPECT_EQ(word, "F-G");
    EXPECT_EQ(next, "FF-G+G");
}

TEST(Substitute, OneStringAsBothWordAndNextWord)
{
    std::string word = "F(G)F";
    Substitute(word, word, RuleTable("F+F", "", {}), 0, 0);
    EXPECT_EQ(word, "F+F()F+F");
}

// Each alternative is chosen about as often as its share of the weights says, and the choice
// depends on the seed, the level and the place alone.
TEST(WeightedRules, ChooseInProportionToTheWeightsByPlace)
{
    const RuleTable rules("a", "G", { { 'F', 2, "b" }, { 'F', 5, "c" }, { 'F', 0, "never" } });
    ASSERT_TRUE(rules.weighted());
    const std::string word(80000, 'F');
    std::string next;
    Substitute(word, next, rules, 12345, 3);
    ASSERT_EQ(next.size(), word.size());
    const double share[] = { 1.0 / 8, 2.0 / 8, 5.0 / 8 };
    for (int i = 0; i < 3; ++i) {
        const auto chosen = std::count(next.begin(), next.end(), "abc"[i]);
        EXPECT_NEAR(static_cast<double>(chosen) / static_cast<double>(word.size()), share[i], 0.01)
            << "abc"[i];
    }
    for (const std::size_t place : { 0u, 1u, 777u, 79999u }) {
        const char chosen = next[place];
        EXPECT_EQ(rules.Replacement('F', 12345, 3, place), std::string(1, chosen));
    }
    std::string otherSeed, otherLevel;
    Substitute(word, otherSeed, rules, 12346, 3);
    Substitute(word, otherLevel, rules, 12345, 4);
    EXPECT_NE(otherSeed, next);
    EXPECT_NE(otherLevel, next);
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
        for (std::int32_t count = 0; count <= 6; ++count) {
            SCOPED_TRACE(std::string(system.name) + " after " + std::to_string(count));
            const RuleTable rules(system.ruleF, system.ruleG, {});
            EXPECT_EQ(RewrittenLength(system.axiom, rules, count), word.size());
            Substitute(word, word, rules, 0, count);
        }
    }
}

TEST(RewrittenLength, KochCurveAfterTenSteps)
{
    EXPECT_EQ(RewrittenLength("F", RuleTable("F+F--F+F", "G", {}), 10), 2446676u);
}

TEST(RewrittenLength, SaturatesInsteadOfOverflowing)
{
    constexpr std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    const RuleTable doubling("FF", "G", {});
    EXPECT_EQ(RewrittenLength("F", doubling, 63), std::uint64_t { 1 } << 63);
    EXPECT_EQ(RewrittenLength("F", doubling, 64), max);
    EXPECT_EQ(RewrittenLength("F", doubling, std::numeric_limits<std::int32_t>::max()), max);
    EXPECT_EQ(RewrittenLength("GX", RuleTable("F", "GGGGGGGGGGGGGGGG", {}), 40), max);
}

} // namespace
} // namespace lsystem
