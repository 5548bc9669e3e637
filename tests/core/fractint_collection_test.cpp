#include "app/core/formats/fractint_collection.h"

#include "app/core/formats/collection_lookup.h"
#include "app/core/formats/fractint_fields.h"
#include "app/core/formats/lsystem_file.h"
#include "app/core/record/fitted_fields.h"
#include "app/core/record/prepared_draw.h"
#include "expr/ascii_case.h"
#include "lsystem/commands/fractint_commands.h"
#include "lsystem/turtle.h"
#include "tests/lsystem/figure_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace {

using app::FractintCollection;
using app::FractintEntry;
using app::FractintSystem;
using lsystem::FigureSummary;

// Five lines of 4000 symbols for one rule: each line within the limit, the rule beyond it.
std::string FiveLinesOfRule()
{
    std::string lines;
    for (int i = 0; i < 5; ++i)
        lines += "  F=" + std::string(4000, 'F') + '\n';
    return lines;
}

// A collection written for these tests: every command, the format's corners and entries that
// cannot be drawn, each for one reason.
const std::string TestCollection = R"(; Collection for the import tests.

; Two comment lines
; right before the entry.
Appended Rule {   ; on the name line
  Angle 4
  Axiom X
  X=+F            ; the rule's first line
  X=X             ; continues it
}

Deleting Rule{
 angle 4
 axiom FX
 f=
 x=FX
}
stray words between entries
all commands, lower case {
  angle 4
  axiom f+g-f|f!+f[@2c4f]@i2f\90d/90mc2d
}

Koch Curve (60 deg) #1 { ; by Ren)"
                                   "\xE9"
                                   R"(
  ANGLE 6
  AXIOM F
  F=F+F--F+F
} text after the brace is skipped
Seventh Turns {
  angle 7
  axiom F|F
}
Steps of D {
  angle 4
  axiom D
  D=DDDDD
}
Moves of M {
  angle 4
  axiom FM
  M=MMMMMMMMMM
}
No Closing Brace {
  angle 4
  axiom F
Next After Missing Brace {
  angle 4
  axiom F
}
Command Rule {
  angle 4
  axiom F
  +=F-F
}
Digit Rule { angle 4
  axiom F2
  2=F
}
Prefix Rule {
  angle 4
  axiom F@Q2F
  Q=F
}
Bracket Rule {
  angle 4
  axiom F(X)
  (=F
}
Angle Too Small {
  angle 2
  axiom F
}
Angle Too Large {
  angle 51
  axiom F
}
Angle Not A Number {
  angle six
  axiom F
}
Angle Twice {
  angle 4
  angle 6
  axiom F
}
No Axiom {
  angle 4
}
No Angle {
  axiom F
}
Unknown Statement {
  angle 4
  order 5
  axiom F
}
Text After Statement {
  axiom F
  angle 6 {
}
Blank In Word {
  angle 4
  axiom F F
}
Not ASCII {
  angle 4
  axiom F)"
                                   "\xE9"
                                   R"(
}
Binary Byte {
  angle 4
  axiom F)"
                                   "\x01"
                                   R"(
}
{
  angle 4
  axiom F
}
Long Rule {
  angle 4
  axiom F
)" + FiveLinesOfRule()
    + R"(}
Long Line {
  angle 4
  axiom )"
    + std::string(app::MaxCollectionLineLength, 'F') + R"(
}
Angle Fifty {
  angle 50
  axiom F
}
Rule For Q {
  angle 4
  axiom @.5QF
  Q=FQ
}
Axiom Twice {
  angle 4
  axiom G
  axiom F\
}
Unclosed At End {
  angle 4
  axiom F
)";

const FractintCollection& Collection()
{
    static const FractintCollection collection = app::ReadFractintCollection(TestCollection);
    return collection;
}

const FractintEntry& EntryNamed(const std::string& name)
{
    const auto& entries = Collection().entries;
    const auto entry = std::ranges::find(entries, name, &FractintEntry::name);
    if (entry == entries.end())
        throw std::runtime_error("no entry " + name);
    return *entry;
}

const FractintSystem& SystemNamed(const std::string& name)
{
    const auto& content = EntryNamed(name).content;
    if (const auto* fault = std::get_if<app::LSystemFileError>(&content))
        throw std::runtime_error(name + ": " + app::DescribeError(*fault));
    return std::get<FractintSystem>(content);
}

TEST(FractintCollection, ReadsEveryEntryWithItsNameAndComments)
{
    std::vector<std::string> names;
    for (const FractintEntry& entry : Collection().entries)
        names.push_back(entry.name);
    const std::vector<std::string> expected = { "Appended Rule", "Deleting Rule",
        "all commands, lower case", "Koch Curve (60 deg) #1", "Seventh Turns", "Steps of D",
        "Moves of M", "No Closing Brace", "Next After Missing Brace", "Command Rule", "Digit Rule",
        "Prefix Rule", "Bracket Rule", "Angle Too Small", "Angle Too Large", "Angle Not A Number",
        "Angle Twice", "No Axiom", "No Angle", "Unknown Statement", "Text After Statement",
        "Blank In Word", "Not ASCII", "Binary Byte", "", "Long Rule", "Long Line", "Angle Fifty",
        "Rule For Q", "Axiom Twice", "Unclosed At End" };
    EXPECT_EQ(names, expected);
    EXPECT_EQ(EntryNamed("Appended Rule").comment,
        "Two comment lines\nright before the entry.\non the name line\nthe rule's first "
        "line\ncontinues it");
    EXPECT_EQ(EntryNamed("Koch Curve (60 deg) #1").comment, "by Ren\xC3\xA9");
    EXPECT_EQ(EntryNamed("Koch Curve (60 deg) #1").line, 24);
    // Only the stray words: the text after a closing brace is skipped quietly.
    ASSERT_EQ(Collection().faults.size(), 1u);
    EXPECT_EQ(Collection().faults[0].line, 18);
    EXPECT_NE(
        Collection().faults[0].message.find("\"stray words between entries\""), std::string::npos);
}

// Each entry that can be drawn, at the order chosen for it, with Fractint's turtle.
TEST(FractintCollection, EntriesDrawAtTheLargestOrderWithinTheLimits)
{
    struct Row {
        const char* name;
        int order;
        FigureSummary figure; // segments, jumps, left, right, bottom, top, last heading, colours
    };
    const double kochBulge = 19683 * std::sqrt(3.0) / 6;
    const Row rows[] = {
        // (+F) ten times: two and a half times round a unit square, anticlockwise.
        { "Appended Rule", 10, { 10, 0, -1, 0, 0, 1, 180 } },
        { "Deleting Rule", 10, { 1, 0, 0, 1, 0, 0, 0 } },
        { "all commands, lower case", 10,
            { 8, 3, 0, 2, 0, 4, 0, { 15, 15, 15, 15, 4, 15, 15, 2 } } },
        // 4^9 segments; 4^10 would pass a million.
        { "Koch Curve (60 deg) #1", 9, { 262144, 0, 0, 19683, 0, kochBulge, 0 } },
        { "Seventh Turns", 10, { 2, 0, 0, 1, 0, 0.43388373911755823, 154.28571428571428 } },
        // D draws: 5^8 steps; 5^9 would pass a million.
        { "Steps of D", 8, { 390625, 0, 0, 390625, 0, 0, 0 } },
        // M only moves, but 10^8 symbols would take too long to walk.
        { "Moves of M", 7, { 1, 0, 0, 1, 0, 0, 0 } },
        { "Next After Missing Brace", 10, { 1, 0, 0, 1, 0, 0, 0 } },
        { "Angle Fifty", 10, { 1, 0, 0, 1, 0, 0, 0 } },
        // Q after "@.5" is a symbol of its own: eleven half steps.
        { "Rule For Q", 10, { 11, 0, 0, 5.5, 0, 0, 0 } },
        // The later axiom; its "\" without a number turns by 0.
        { "Axiom Twice", 10, { 1, 0, 0, 1, 0, 0, 0 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FractintSystem& system = SystemNamed(row.name);
        EXPECT_EQ(app::ImportedOrder(system), row.order);
        const app::PanelFields fields = app::FractintFields(system);
        EXPECT_EQ(fields.substCount, row.order);
        const app::PreparedWalk walk = app::PrepareWalk(fields, {});
        lsystem::RandomGenerator random;
        lsystem::SummaryCanvas canvas;
        lsystem::TurtleWalk turtle(walk.params, walk.style, random, canvas);
        while (!turtle.Advance(std::numeric_limits<std::uint64_t>::max())) { }
        ExpectSameShape(canvas.summary(), row.figure);
    }
}

TEST(FractintCollection, EntriesThatCannotBeDrawnSayWhere)
{
    struct Row {
        const char* name;
        int line;
        const char* message;
    };
    const Row rows[] = {
        { "No Closing Brace", 46, "the entry has no closing \"}\" before the next entry" },
        { "Command Rule", 53, "\"+\" is a turtle command and cannot have a rule" },
        { "Digit Rule", 57, "\"2\" belongs to the commands' numbers" },
        { "Prefix Rule", 62, "\"Q\" is a prefix of the scaling command \"@\"" },
        { "Bracket Rule", 67, "\"(\" cannot have a rule in this program" },
        { "Angle Too Small", 70, "the angle must be a whole number from 3 to 50, not \"2\"" },
        { "Angle Too Large", 74, "not \"51\"" },
        { "Angle Not A Number", 78, "not \"six\"" },
        { "Angle Twice", 83, "the angle is given twice (first on line 82)" },
        { "No Axiom", 86, "the entry has no axiom" },
        { "No Angle", 89, "the entry has no angle" },
        { "Unknown Statement", 94,
            "expected \"ANGLE n\", \"AXIOM word\" or a rule \"X=word\", not \"order 5\"" },
        { "Text After Statement", 99, "not \"6 {\"" },
        { "Blank In Word", 103, "the axiom holds a blank" },
        { "Not ASCII", 107, "the statement holds a character other than ASCII" },
        { "Binary Byte", 111, "the line holds a control byte (\"\\x01\"): the file is not text" },
        { "", 113, "the entry has no name before its \"{\"" },
        { "Long Rule", 124, "the rule for \"F\" is longer than 16384 characters" },
        { "Long Line", 128, "the line is longer than 4096 characters" },
        { "Unclosed At End", 144, "the entry has no closing \"}\"" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* fault = std::get_if<app::LSystemFileError>(&EntryNamed(row.name).content);
        ASSERT_NE(fault, nullptr);
        EXPECT_EQ(fault->line, row.line);
        EXPECT_NE(fault->message.find(row.message), std::string::npos) << fault->message;
    }
}

// The fault of a one-entry collection with these statements, or "" where it can be drawn.
std::string Fault(const std::string& statements)
{
    const FractintCollection read
        = app::ReadFractintCollection("E {\nangle 4\n" + statements + "\n}\n");
    const auto* fault = std::get_if<app::LSystemFileError>(&read.entries.at(0).content);
    return fault ? fault->message : "";
}

bool Holds(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

// Every printable byte a rule's symbol may be (lower case is folded, ";{}" are the format's):
// a rule is refused for exactly the commands the turtle does more with than step, and for the
// numbers' symbols; every symbol may end the axiom, a numbered command then reading 0.
TEST(FractintCollection, ReservesTheTurtlesCommandsAndNumbers)
{
    using lsystem::FractintCommand;
    for (char symbol = '!'; symbol <= '~'; ++symbol) {
        if (expr::AsciiUpper(symbol) != symbol || Holds(";{}", std::string_view(&symbol, 1)))
            continue;
        SCOPED_TRACE(std::string(1, symbol));
        const FractintCommand command = lsystem::FractintCommandOf(symbol);
        const bool rewritable = command == FractintCommand::None
            || command == FractintCommand::DrawStep || command == FractintCommand::MoveStep
            || command == FractintCommand::DrawDegreeStep
            || command == FractintCommand::MoveDegreeStep;
        const std::string rule = Fault("axiom F\n" + std::string(1, symbol) + "=F");
        EXPECT_EQ(Holds(rule, "is a turtle command"), !rewritable) << rule;
        EXPECT_EQ(Holds(rule, "belongs to the commands' numbers"),
            (symbol >= '0' && symbol <= '9') || symbol == '.')
            << rule;
        EXPECT_EQ(Fault("axiom F" + std::string(1, symbol)), "");
    }
}

// I and Q are prefixes only right after "@"; a rule for one is refused only where the entry
// writes it there.
TEST(FractintCollection, IAndQMayHaveRulesWhereTheyAreNoPrefix)
{
    const std::pair<const char*, bool> entries[] = { { "axiom F@IQ2F\nI=F", false },
        { "axiom F@QI2F\nI=F", false }, { "axiom F\nQ=F@Q2", false }, { "axiom F@Q2F\nI=F", true },
        { "axiom F@2IF\nI=F", true }, { "axiom FCI5\nI=F", true }, { "axiom F\\Q5\nQ=F", true },
        { "axiom F@.5Q\nQ=FQ", true } };
    for (const auto& [statements, drawn] : entries) {
        SCOPED_TRACE(statements);
        EXPECT_EQ(Fault(statements).empty(), drawn);
    }
}

TEST(CollectionLookup, NearestNamesBeginWithTheNameThenHaveFewestMistakes)
{
    FractintCollection collection;
    for (const char* name : { "Snowflake", "Dragon", "DRAGON", "Dargon Curve", "Bush", "Dragons" })
        collection.entries.push_back({ name, 1, {}, FractintSystem {} });
    EXPECT_EQ(app::NearestEntryNames(collection, "drag", 4),
        (std::vector<std::string> { "Dragon", "DRAGON", "Dragons", "Bush" }));
    EXPECT_EQ(app::NearestEntryNames(collection, "dargon", 3),
        (std::vector<std::string> { "Dargon Curve", "Dragon", "DRAGON" }));
    EXPECT_EQ(app::NearestEntryNames(collection, "Dargon Curve", 1),
        (std::vector<std::string> { "Dargon Curve" }));
}

// The longest name against as many of the longest names as a collection may hold: the cost is
// bounded (it took minutes when whole names were compared).
TEST(CollectionLookup, NearestNamesAreFoundQuicklyForLongNames)
{
    FractintCollection collection;
    for (std::size_t i = 0; i < 2000; ++i) {
        std::string name(app::MaxCollectionLineLength - 2, static_cast<char>('a' + i % 23));
        name.replace(0, 4, std::to_string(1000 + i));
        collection.entries.push_back({ name, 1, {}, FractintSystem {} });
    }
    const std::string wanted = "1999" + std::string(4000, 'x');
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> nearest = app::NearestEntryNames(collection, wanted, 5);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(nearest.size(), 5u);
    EXPECT_EQ(nearest[0].substr(0, 4), "1999");
    EXPECT_LT(took, std::chrono::seconds(2));
}

TEST(FractintCollection, SizeLimitsAreReportedAndTheEntriesBeforeThemKept)
{
    std::string entries;
    for (std::size_t i = 0; i <= app::MaxCollectionEntries; ++i)
        entries += 'E' + std::to_string(i) + " {\nangle 4\naxiom F\n}\n";
    const FractintCollection many = app::ReadFractintCollection(entries);
    EXPECT_EQ(many.entries.size(), app::MaxCollectionEntries);
    ASSERT_EQ(many.faults.size(), 1u);
    EXPECT_EQ(many.faults[0].line, static_cast<int>(4 * app::MaxCollectionEntries + 1));
    EXPECT_NE(many.faults[0].message.find("more than 10000 entries"), std::string::npos);

    const FractintCollection large
        = app::ReadFractintCollection(std::string(app::MaxCollectionBytes + 1, ';'));
    EXPECT_TRUE(large.entries.empty());
    ASSERT_EQ(large.faults.size(), 1u);
    EXPECT_EQ(large.faults[0].line, 0);
}

TEST(FractintFields, HoldTheSystemForFractintsTurtle)
{
    const app::PanelFields fields = app::FractintFields(SystemNamed("Appended Rule"));
    EXPECT_EQ(fields.commands, lsystem::CommandSet::Fractint);
    EXPECT_EQ(fields.axiom, "X");
    EXPECT_EQ(fields.ruleF, "F");
    EXPECT_EQ(fields.ruleG, "G");
    EXPECT_EQ(fields.moreRules, (std::vector<app::RuleText> { { "X", "1", "+FX" } }));
    EXPECT_EQ(fields.length, "1");
    EXPECT_EQ(fields.random, "0");
    EXPECT_EQ(fields.angle, "90");
    EXPECT_EQ(app::FractintFields(SystemNamed("Koch Curve (60 deg) #1")).ruleF, "F+F--F+F");
    EXPECT_EQ(app::FractintFields(SystemNamed("Seventh Turns")).angle, "51.42857142857143");
}

// Fit measures the figure Fractint's turtle draws, and a file keeps the system as it is.
TEST(FractintFields, FitAndSaveAsTheyDo)
{
    for (const char* name : { "Appended Rule", "all commands, lower case", "Deleting Rule" }) {
        SCOPED_TRACE(name);
        const app::PanelFields fields = app::FractintFields(SystemNamed(name));
        const app::PanelFields fitted = app::FittedFields(fields, 0);
        EXPECT_EQ(fitted.commands, lsystem::CommandSet::Fractint);
        const app::LSystemParseResult read = app::ParseLSystem(app::FormatLSystem(fitted), {});
        ASSERT_TRUE(std::holds_alternative<app::PanelFields>(read));
        EXPECT_EQ(std::get<app::PanelFields>(read), fitted);
    }
    const app::PanelFields square
        = app::FittedFields(app::FractintFields(SystemNamed("Appended Rule")), 0);
    // The unit square above and left of the origin, with a margin.
    EXPECT_EQ(square.x1, "-1.05");
    EXPECT_EQ(square.x2, "0.05");
    EXPECT_EQ(square.y1, "-0.05");
    EXPECT_EQ(square.y2, "1.05");
}

} // namespace
