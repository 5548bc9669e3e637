#include "app/core/formats/lsystem_file.h"

#include "app/core/record/presets.h"
#include "app/core/record/rule_text.h"
#include "app/core/text/float_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace {

using app::PanelFields;
using app::Preset;

// Every text field of the record.
constexpr std::string PanelFields::*textFields[] = { &PanelFields::axiom, &PanelFields::ruleF,
    &PanelFields::ruleG, &PanelFields::angle, &PanelFields::length, &PanelFields::random,
    &PanelFields::x1, &PanelFields::x2, &PanelFields::y1, &PanelFields::y2 };

// A record unlike the start-up one, so that a kept field shows.
PanelFields Edited()
{
    PanelFields fields;
    app::ApplyPreset(Preset::Plant3, fields);
    fields.random = "1/50";
    return fields;
}

TEST(LSystemFile, FormatThenParseGivesTheSameRecord)
{
    const std::string texts[]
        = { "F+F--F+F", "22.5", "  leading", "trailing\t", "\"quoted\"", "mid \"quote\"", "\"",
              "back\\slash\\", "a = b", "=", "#F", "F # G", "Zürich ∑ 漢字", "line\nbreak\r\n",
              "tab\tin", "\x01\x7F\x1B", "\xFF\xC3 bad UTF-8 \xE2\x82", "\\x41 \\n", "", " " };
    for (const std::string& text : texts) {
        SCOPED_TRACE(testing::PrintToString(text));
        PanelFields fields = Edited();
        for (const auto field : textFields)
            fields.*field = text;
        const app::LSystemParseResult read = app::ParseLSystem(app::FormatLSystem(fields), {});
        ASSERT_TRUE(std::holds_alternative<PanelFields>(read)) << app::FormatLSystem(fields);
        EXPECT_EQ(std::get<PanelFields>(read), fields);
    }
    for (Preset preset : app::AllPresets()) {
        SCOPED_TRACE(std::string(app::PresetName(preset)));
        PanelFields fields;
        app::ApplyPreset(preset, fields);
        fields.substCount = 10;
        if (preset == Preset::Plant1)
            fields.seed = 4294967295u;
        else if (preset == Preset::Plant2)
            fields.seed = 0u;
        const app::LSystemParseResult read = app::ParseLSystem(app::FormatLSystem(fields), {});
        ASSERT_TRUE(std::holds_alternative<PanelFields>(read));
        EXPECT_EQ(std::get<PanelFields>(read), fields);
    }
}

// Rules beyond F and G come after the preset and before the seed, in order, under the header
// of version 2, which the program's versions without them refuse.
TEST(LSystemFile, RulesAreWrittenUnderVersionTwoAndReadBackByteForByte)
{
    PanelFields fields = Edited();
    fields.seed = 7u;
    fields.moreRules = { { "X", "1", "F-((X)+X)+F(+FX)-X" }, { "\"", "0.5", " F\n" } };
    const std::string text = app::FormatLSystem(fields);
    EXPECT_TRUE(text.starts_with("Lindenmayer L-system 2\n")) << text;
    EXPECT_TRUE(text.ends_with("preset = Plant 3\nrule = X -> F-((X)+X)+F(+FX)-X\n"
                               "rule = \"\\\"\" 0.5 -> \" F\\n\"\nseed = 7\n"))
        << text;
    const app::LSystemParseResult read = app::ParseLSystem(text, {});
    ASSERT_TRUE(std::holds_alternative<PanelFields>(read))
        << app::DescribeError(std::get<app::LSystemFileError>(read));
    EXPECT_EQ(std::get<PanelFields>(read), fields);
    EXPECT_EQ(app::FormatLSystem(std::get<PanelFields>(read)), text);
}

// Only a system for Fractint's turtle says so, under version 3, which versions of the program
// that would draw it with the panel's refuse; a file without the key is the panel's, whatever
// the fields were before.
TEST(LSystemFile, FractintCommandsAreWrittenUnderVersionThreeAndReadBack)
{
    PanelFields fields = Edited();
    fields.commands = lsystem::CommandSet::Fractint;
    fields.ruleF = "F@IQ2[\\30D]|!C12<3";
    fields.moreRules = { { "X", "1", "F>1X" } };
    const std::string text = app::FormatLSystem(fields);
    EXPECT_TRUE(text.starts_with("Lindenmayer L-system 3\n")) << text;
    EXPECT_NE(
        text.find("preset = Plant 3\ncommands = fractint\nrule = X -> F>1X\n"), std::string::npos)
        << text;
    const app::LSystemParseResult read = app::ParseLSystem(text, {});
    ASSERT_TRUE(std::holds_alternative<PanelFields>(read))
        << app::DescribeError(std::get<app::LSystemFileError>(read));
    EXPECT_EQ(std::get<PanelFields>(read), fields);

    const std::string panelFile = app::FormatLSystem(Edited());
    EXPECT_EQ(panelFile.find("commands"), std::string::npos);
    const app::LSystemParseResult panel = app::ParseLSystem(panelFile, fields);
    EXPECT_EQ(std::get<PanelFields>(panel).commands, lsystem::CommandSet::Panel);
}

// A file for the book's commands: version 4, its constants, ignored symbols and productions
// as lines in order, read back byte for byte, with a count beyond the panel's.
TEST(LSystemFile, BookCommandsAreWrittenUnderVersionFourAndReadBackByteForByte)
{
    PanelFields fields = Edited();
    fields.commands = lsystem::CommandSet::Book;
    fields.substCount = 30;
    fields.moreRules = { { "X", "1", "F" } };
    fields.bookRules = { "define r 0.9", "ignore: +-F", "0<1>0 -> 1[+F1F1]",
        "A(l) : l > 0 -> F(l*r)\\(5)A(l-1)", " " };
    const std::string text = app::FormatLSystem(fields);
    EXPECT_TRUE(text.starts_with("Lindenmayer L-system 4\n")) << text;
    EXPECT_TRUE(text.ends_with("preset = Plant 3\ncommands = book\ndefine = r 0.9\n"
                               "ignore = +-F\nrule = 0<1>0 -> 1[+F1F1]\n"
                               "rule = \"A(l) : l > 0 -> F(l*r)\\\\(5)A(l-1)\"\nrule = \" \"\n"))
        << text;
    const app::LSystemParseResult read = app::ParseLSystem(text, {});
    ASSERT_TRUE(std::holds_alternative<PanelFields>(read))
        << app::DescribeError(std::get<app::LSystemFileError>(read));
    const PanelFields& again = std::get<PanelFields>(read);
    EXPECT_EQ(app::FormatLSystem(again), text);
    EXPECT_EQ(again.substCount, 30);
    EXPECT_TRUE(again.moreRules.empty());
    EXPECT_EQ(again.bookRules[1], "ignore: +-F");
    EXPECT_EQ(again.bookRules[3], fields.bookRules[3]);

    // A line that its own key would not read back as it stands is kept as a rule line.
    PanelFields odd = fields;
    odd.bookRules = { "ignore:> 1", "define  k 2", " A -> B" };
    const app::LSystemParseResult oddRead = app::ParseLSystem(app::FormatLSystem(odd), {});
    ASSERT_TRUE(std::holds_alternative<PanelFields>(oddRead));
    EXPECT_EQ(std::get<PanelFields>(oddRead).bookRules, odd.bookRules);

    // The commands may follow the lines they read.
    const app::LSystemParseResult later = app::ParseLSystem(
        "Lindenmayer L-system 4\nrule = A -> AB\ndefine = k 2\ncommands = book\n", {});
    ASSERT_TRUE(std::holds_alternative<PanelFields>(later));
    EXPECT_EQ(std::get<PanelFields>(later).bookRules,
        (std::vector<std::string> { "A -> AB", "define k 2" }));
}

// A file is the whole L-system: one without rules leaves none of the rules before.
TEST(LSystemFile, AVersionOneFileIsReadAndWrittenAsBeforeWithoutRules)
{
    const std::string file = app::FormatLSystem(Edited());
    EXPECT_TRUE(file.starts_with("Lindenmayer L-system 1\n"));
    PanelFields current = Edited();
    current.moreRules = { { "X", "1", "F" } };
    const app::LSystemParseResult read = app::ParseLSystem(file, current);
    ASSERT_TRUE(std::holds_alternative<PanelFields>(read));
    EXPECT_TRUE(std::get<PanelFields>(read).moreRules.empty());
    EXPECT_EQ(app::FormatLSystem(std::get<PanelFields>(read)), file);
}

TEST(LSystemFile, TextsAreQuotedOnlyWhereReadingWouldChangeThem)
{
    struct Row {
        std::string text;
        const char* line;
    };
    const Row rows[] = {
        { "G(+F)(-F)GF", "axiom = G(+F)(-F)GF\n" },
        { "a = #b", "axiom = a = #b\n" },
        { "Zürich", "axiom = Zürich\n" },
        { "", "axiom = \"\"\n" },
        { " F", "axiom = \" F\"\n" },
        { "\"F\"", "axiom = \"\\\"F\\\"\"\n" },
        { "F\\G", "axiom = \"F\\\\G\"\n" },
        { "F\nG\t\x01", "axiom = \"F\\nG\\t\\x01\"\n" },
        { "\xFF", "axiom = \"\\xFF\"\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        PanelFields fields;
        fields.axiom = row.text;
        EXPECT_NE(app::FormatLSystem(fields).find(row.line), std::string::npos);
    }
}

TEST(LSystemFile, ReadsAnyLineEndsCommentsAndKeysInAnyCaseSkipsUnknownKeysAndKeepsMissingOnes)
{
    const char* const lines[] = { "\xEF\xBB\xBFLindenmayer L-system 2", "# a comment = not a key",
        "", "  AXIOM=F-F ", "colour = \"unclosed", "Rule-F  =  \"  F#F  \"", "RULE = f -> FF",
        "substitutions = 10", "preset = plant 2", "\t# an indented comment",
        "y2 =", "rule=F \"0.5\"\t-> \"G\" " };
    PanelFields expected = Edited();
    expected.axiom = "F-F";
    expected.ruleF = "  F#F  ";
    expected.substCount = 10;
    expected.preset = Preset::Plant2;
    expected.y2 = "";
    expected.moreRules = { { "f", "1", "FF" }, { "F", "0.5", "G" } };
    const std::vector<std::string> lineEnds[]
        = { { "\n" }, { "\r\n" }, { "\r" }, { "\r\n", "\n", "\r" } };
    for (const std::vector<std::string>& ends : lineEnds) {
        std::string text;
        for (std::size_t i = 0; i < std::size(lines); ++i)
            text += (i == 0 ? "" : ends[i % ends.size()]) + lines[i];
        SCOPED_TRACE(testing::PrintToString(text));
        const app::LSystemParseResult read = app::ParseLSystem(text, Edited());
        ASSERT_TRUE(std::holds_alternative<PanelFields>(read))
            << app::DescribeError(std::get<app::LSystemFileError>(read));
        EXPECT_EQ(std::get<PanelFields>(read), expected);
    }
}

TEST(LSystemFile, MalformedFilesNameTheLineAndGiveNoRecord)
{
    struct Row {
        const char* name;
        std::string text;
        int line;
        const char* message;
    };
    const std::string header = "Lindenmayer L-system 1\n";
    const Row rows[] = {
        { "empty", "", 0, "the file is empty" },
        { "other format", "[figure]\naxiom = F\n", 1,
            "not an L-system file: the first line must be \"Lindenmayer L-system 1\", not "
            "\"[figure]\"" },
        { "header later", "# made by hand\n" + header, 1, "not an L-system file" },
        { "newer version", "Lindenmayer L-system 5\n", 1,
            "the file is of a newer L-system format, version 5, that this program cannot read; it "
            "reads versions 1 to 4" },
        { "no version", "Lindenmayer L-system 2.0\n", 1,
            "version \"2.0\" of the L-system format is not supported; this program reads "
            "\"Lindenmayer L-system 1\", \"Lindenmayer L-system 2\", \"Lindenmayer L-system "
            "3\" and \"Lindenmayer L-system 4\"" },
        { "no equals sign", header + "axiom = F\nrule-f F+F\n", 3,
            "expected \"key = value\", not \"rule-f F+F\"" },
        { "lines counted at CR", "Lindenmayer L-system 1\raxiom = F\r\rrule-f F+F\r", 4,
            "expected \"key = value\"" },
        { "no key", header + "\n = F\n", 3, "expected \"key = value\"" },
        { "not UTF-8", header + "axiom = \xC3\x28\n", 2, "the text is not UTF-8" },
        { "unclosed quote", header + "axiom = \"F\n", 2, "the quoted value has no closing quote" },
        { "escaped last quote", header + "axiom = \"F\\\"\n", 2, "no closing quote" },
        { "text after quote", header + "axiom = \"F\" G\n", 2, "text follows the closing quote" },
        { "unknown escape", header + "axiom = \"F\\q\"\n", 2, "unknown escape \"\\q\"" },
        { "short hex escape", header + "axiom = \"\\x4\"\n", 2,
            "\"\\x\" must be followed by two hexadecimal digits" },
        { "count too large", header + "substitutions = 12\n", 2,
            "the number of substitutions must be a whole number from 0 to 10, not \"12\"" },
        { "negative count", header + "substitutions = -1\n", 2, "not \"-1\"" },
        { "fractional count", header + "substitutions = 2.5\n", 2, "not \"2.5\"" },
        { "empty count", header + "substitutions =\n", 2, "not \"\"" },
        { "unknown preset", header + "preset = Plant 9\n", 2,
            "unknown preset \"Plant 9\"; the presets are \"Koch Curve\", \"Koch Island\"" },
        { "seed too large", header + "seed = 4294967296\n", 2,
            "the seed must be a whole number from 0 to 4294967295, not \"4294967296\"" },
        { "negative seed", header + "seed = -1\n", 2, "not \"-1\"" },
        { "unknown commands", header + "commands = logo\n", 2,
            "the commands must be \"panel\", \"fractint\" or \"book\", not \"logo\"" },
        { "the book's commands before version 4", header + "commands = book\n", 2,
            "the book's commands need the header \"Lindenmayer L-system 4\"" },
        { "a constant without the book's commands",
            "Lindenmayer L-system 4\nrule = X -> F\ndefine = a 1\n", 3,
            "\"define\" belongs to the book's commands" },
        { "a book count too large", "Lindenmayer L-system 4\nsubstitutions = 65\ncommands = book\n",
            2, "the number of substitutions must be a whole number from 0 to 10, not \"65\"" },
        { "a count beyond the panel's in a book file",
            "Lindenmayer L-system 4\nsubstitutions = 30\nrule = X -> F\n", 2,
            "from 0 to 10, not \"30\"" },
        { "a book rule's bad quote", "Lindenmayer L-system 4\ncommands = book\nrule = \"F\n", 3,
            "the quoted value has no closing quote" },
        { "commands twice", header + "commands = fractint\ncommands = panel\n", 3,
            "\"commands\" is given twice (first on line 2)" },
        { "key twice", header + "axiom = F\nrule-f = G\n# again\nAxiom = G\n", 5,
            "\"axiom\" is given twice (first on line 2)" },
        { "rule without arrow", header + "rule = X -> F\nrule = X F\n", 3,
            "the rule has no \"->\" after its symbol and weight" },
        { "rule for a command", header + "rule = + -> F\n", 2,
            "\"+\" is a turtle command and cannot have a rule" },
        { "rule's unclosed quote", header + "rule = X -> \"F\n", 2,
            "the quoted value has no closing quote" },
        { "NUL", header + std::string("angle = 60\0\n", 13), 2,
            "the value of \"angle\" holds a NUL byte" },
        { "quoted NUL", header + "axiom = \"F\\x00\"\n", 2,
            "the value of \"axiom\" holds a NUL byte" },
        { "NUL in a rule's replacement", header + "rule = X -> \"F\\x00\"\n", 2,
            "the value of \"rule\" holds a NUL byte" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const app::LSystemParseResult read = app::ParseLSystem(row.text, Edited());
        ASSERT_TRUE(std::holds_alternative<app::LSystemFileError>(read));
        const auto& error = std::get<app::LSystemFileError>(read);
        EXPECT_EQ(error.line, row.line);
        EXPECT_NE(error.message.find(row.message), std::string::npos) << error.message;
        EXPECT_TRUE(app::DescribeError(error).starts_with(
            row.line == 0 ? error.message : "line " + std::to_string(row.line) + ": "));
    }
}

// A file that could not be read back is not written.
TEST(LSystemFile, AValueWithANulByteIsNotWritten)
{
    PanelFields fields;
    fields.angle = std::string("60\0", 3);
    EXPECT_THROW(app::FormatLSystem(fields), std::invalid_argument);
    fields = {};
    fields.moreRules = { { "X", "1", std::string("F\0", 2) } };
    EXPECT_THROW(app::FormatLSystem(fields), app::RuleError);
}

// Files hold the angle with a point; one written with a comma is read with a point.
TEST(LSystemFile, AnglesAreReadWithAPoint)
{
    struct Row {
        const char* inFile;
        const char* read;
        std::optional<double> drawn;
    };
    const Row rows[] = {
        { "22.5", "22.5", 22.5 },
        { "22,5", "22.5", 22.5 },
        { "-1,5e1", "-1.5e1", -15.0 },
        { "60", "60", 60.0 },
        { "45/2", "45/2", std::nullopt },
        { "1,5,2", "1,5,2", std::nullopt },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.inFile);
        const auto read = app::ParseLSystem(
            "Lindenmayer L-system 1\nangle = " + std::string(row.inFile) + "\n", {});
        const std::string& angle = std::get<PanelFields>(read).angle;
        EXPECT_EQ(angle, row.read);
        EXPECT_EQ(app::TextToFloat(angle), row.drawn);
    }
}

} // namespace
