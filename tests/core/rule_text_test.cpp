#include "app/core/record/rule_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using app::RuleText;
using RuleLine = std::variant<RuleText, std::string>;

TEST(RuleText, FaultsOfTheSymbolAndTheWeight)
{
    struct Row {
        const char* name;
        RuleText rule;
        std::optional<std::string> fault;
    };
    const Row rows[] = {
        { "a letter", { "X", "1", "F(+X)F" }, std::nullopt },
        { "a quote, weighed with an exponent", { "\"", "2.5e-1", "" }, std::nullopt },
        { "empty symbol", { "", "1", "F" }, "The symbol is empty." },
        { "two letters", { "ab", "1", "F" }, "The symbol \"ab\" is more than one character." },
        { "beyond ASCII", { "é", "1", "F" },
            "The symbol \"é\" is not a printable ASCII character." },
        { "a blank", { " ", "1", "F" }, "The symbol \" \" is not a printable ASCII character." },
        { "a control", { "\x01", "1", "F" },
            "The symbol \"\\x01\" is not a printable ASCII character." },
        { "a turn", { "+", "1", "F" }, "\"+\" is a turtle command and cannot have a rule." },
        { "zero weight", { "X", "0", "F" }, "The weight \"0\" is not a positive number." },
        { "a comma", { "X", "2,5", "F" }, "The weight \"2,5\" is not a positive number." },
        { "beyond a double", { "X", "1e999", "F" },
            "The weight \"1e999\" is not a positive number." },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(app::RuleFault(row.rule), row.fault);
    }
}

TEST(RuleText, ReadRulesGivesTheWalksRulesOrTheFirstFaultWithItsRow)
{
    EXPECT_EQ(app::ReadRules({ { "X", "1", "F(+X)F" }, { "F", "0.5", "FF" } }),
        (std::vector<lsystem::Rule> { { 'X', 1.0, "F(+X)F" }, { 'F', 0.5, "FF" } }));
    try {
        app::ReadRules({ { "X", "1", "F" }, { "-", "1", "F" }, { "", "1", "F" } });
        ADD_FAILURE() << "no RuleError";
    } catch (const app::RuleError& error) {
        EXPECT_EQ(error.row(), 4u);
        EXPECT_EQ(std::string(error.what()),
            "Rules, row 4: \"-\" is a turtle command and cannot have a rule.");
    }
}

TEST(RuleText, LinesAreWrittenPlainlyWhereTheyReadBackTheSame)
{
    struct Row {
        RuleText rule;
        const char* line;
    };
    const Row rows[] = {
        { { "X", "1", "F-((X)+X)+F(+FX)-X" }, "X -> F-((X)+X)+F(+FX)-X" },
        { { "F", "2", "F(+F)F" }, "F 2 -> F(+F)F" },
        { { "A", "1", "B -> C \"D\"" }, "A -> B -> C \"D\"" },
        { { "->", " 1", "" }, "\"->\" \" 1\" -> \"\"" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(app::FormatRuleLine(row.rule), row.line);
    }
}

TEST(RuleText, AnyTextsReadBackAsTheSameBytes)
{
    const std::string texts[] = { "X", "1", "", " ", "->", "\"", "\\", "a b", "\"q\"", "x\"y", "#",
        "=", "F -> G", " lead", "trail\t", "Zürich ∑", "line\nbreak\r", std::string("nul\0", 4),
        "\x01\x7F", "\xFF\xC3 bad \xE2\x82", "\\x41 \\n" };
    for (const std::string& symbol : texts) {
        for (const std::string& other : texts) {
            for (const RuleText& rule :
                { RuleText { symbol, other, other }, RuleText { other, symbol, symbol } }) {
                const std::string line = app::FormatRuleLine(rule);
                SCOPED_TRACE(testing::PrintToString(line));
                EXPECT_EQ(app::ParseRuleLine(line), RuleLine { rule });
            }
        }
    }
}

TEST(RuleText, LinesOfAnotherFormSayWhatIsWrong)
{
    struct Row {
        const char* line;
        RuleLine read;
    };
    const Row rows[] = {
        { " \tX\t\"2\"  ->   F G  ", RuleText { "X", "2", "F G" } },
        { "", "The rule is empty." },
        { "X->F", "The rule has no \"->\" after its symbol and weight." },
        { "X 2 G -> F", "Expected \"->\" after the symbol and weight, not \"G\"." },
        { "\"X -> F", "The quoted value has no closing quote." },
        { "X -> \"F\" G", "Text follows the closing quote." },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(app::ParseRuleLine(row.line), row.read);
    }
    EXPECT_EQ(app::ReadRuleLine("ab -> F"),
        RuleLine { app::RuleFault(RuleText { "ab", "1", "F" }).value() });
}

} // namespace
