#include "app/core/formats/pasted_lsystem.h"

#include "app/core/formats/copied_fractint_entry.h"
#include "app/core/formats/fractint_collection.h"
#include "app/core/formats/fractint_fields.h"
#include "app/core/record/presets.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

using app::PanelFields;

// What the panel holds before the paste: a preset's fields and a rule of its own.
PanelFields Current()
{
    PanelFields fields;
    app::ApplyPreset(app::Preset::Plant2, fields);
    fields.moreRules = { { "Y", "1", "YY" } };
    return fields;
}

// The book's plant as the fields it fills: the other fields stay the current ones.
PanelFields BookPlant(const std::string& axiom, const std::string& angle)
{
    PanelFields fields = Current();
    fields.axiom = axiom;
    fields.angle = angle;
    fields.ruleF = "FF";
    fields.ruleG = "G";
    fields.moreRules = { { "X", "1", "F(+X)F(-X)+X" } };
    return fields;
}

TEST(PastedLSystem, EachAcceptedFormFillsTheFields)
{
    PanelFields fromFile = Current();
    app::ApplyPreset(app::Preset::Plant3, fromFile);
    fromFile.moreRules = { { "X", "2", "F" } };
    const std::string fileText = app::FormatLSystem(fromFile);

    const char* const snowflake
        = "; a comment\nSnowflake {\n Angle 6\n Axiom F--F--F\n F=F+F--F+F\n}\n";
    const auto entry = app::ReadFractintCollection(snowflake).entries.front().content;
    const PanelFields fractint = app::FractintFields(std::get<app::FractintSystem>(entry));

    PanelFields fAndG = Current();
    fAndG.ruleF = "F+F";
    fAndG.ruleG = "GG";
    fAndG.moreRules = { { "F", "2", "F-F" } };

    struct Row {
        const char* name;
        std::string text;
        PanelFields expected;
    };
    const Row rows[] = {
        { "file", fileText, fromFile },
        { "file after blank lines", "\n  \n" + fileText, fromFile },
        { "Fractint entry", snowflake, fractint },
        { "rules with =", "axiom X\nangle 25\nX=F(+X)F(-X)+X\nF=FF\n", BookPlant("X", "25") },
        { "rules with arrows", "Axiom = X\r\nX -> F(+X)F(-X)+X\r\nF -> FF",
            BookPlant("X", Current().angle) },
        { "comments and blanks", "# plant\n\n  X=F(+X)F(-X)+X  \n;\nF=FF\naxiom X\n",
            BookPlant("X", Current().angle) },
        { "F, G and an alternative", "F=F+F\nG -> GG\nF 2 -> F-F\n", fAndG },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = app::ReadPastedLSystem(row.text, Current());
        ASSERT_TRUE(std::holds_alternative<PanelFields>(result))
            << app::DescribeError(std::get<app::LSystemFileError>(result));
        EXPECT_EQ(std::get<PanelFields>(result), row.expected);
    }
}

TEST(PastedLSystem, FaultsNameTheLineAsAFileWould)
{
    struct Row {
        const char* text;
        std::string described;
    };
    const Row rows[] = {
        { "axiom X\nX F(+X)\n",
            "line 2: the line is no rule (\"X=word\" or \"X -> word\"), axiom or angle" },
        { "axiom X\naxiom F\n", "line 2: the axiom is given twice" },
        { "\n+=F\n", "line 2: " },
        { "", "the text holds no L-system: no rule and no axiom" },
        { "angle 30\n", "the text holds no L-system: no rule and no axiom" },
        { "Lindenmayer L-system 1\nsubstitutions = 11\n", "line 2: " },
        { "Broken {\n angle 6\n}\n", "line 1: " },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto result = app::ReadPastedLSystem(row.text, Current());
        ASSERT_TRUE(std::holds_alternative<app::LSystemFileError>(result));
        EXPECT_TRUE(
            app::DescribeError(std::get<app::LSystemFileError>(result)).starts_with(row.described))
            << app::DescribeError(std::get<app::LSystemFileError>(result));
    }
}

TEST(CopiedFractintEntry, ReadsBackAsTheSameFieldsOrIsNotGiven)
{
    const char* const collection = "Dragon {\n Angle 4\n Axiom FX\n X=X+YF+\n Y=-FX-Y\n}\n"
                                   "Plant {\n Angle 14\n Axiom G\n G=F[+G]F[-G]!G\n F=FF\n}\n"
                                   "Tiny {\n Angle 3\n Axiom F\n}\n";
    for (const app::FractintEntry& entry : app::ReadFractintCollection(collection).entries) {
        SCOPED_TRACE(entry.name);
        const PanelFields fields
            = app::FractintFields(std::get<app::FractintSystem>(entry.content));
        const auto text = app::FormatFractintEntry(fields, entry.name);
        ASSERT_TRUE(text);
        EXPECT_TRUE(text->starts_with(entry.name + " {\n"));
        const auto read = app::ReadPastedLSystem(*text, Current());
        ASSERT_TRUE(std::holds_alternative<PanelFields>(read));
        EXPECT_EQ(std::get<PanelFields>(read), fields);
    }

    const auto system = std::get<app::FractintSystem>(
        app::ReadFractintCollection("S {\n Angle 6\n Axiom F\n F=F+F\n}\n").entries[0].content);
    const PanelFields fractint = app::FractintFields(system);
    struct Row {
        const char* name;
        void (*change)(PanelFields&);
    };
    const Row refused[] = {
        { "panel's commands", [](PanelFields& f) { f.commands = lsystem::CommandSet::Panel; } },
        { "angle not 360/n", [](PanelFields& f) { f.angle = "50"; } },
        { "weight",
            [](PanelFields& f) {
                f.moreRules = { { "X", "2", "F" } };
            } },
        { "two rules of a symbol",
            [](PanelFields& f) {
                f.moreRules = { { "X", "1", "F" }, { "X", "1", "G" } };
            } },
        { "lower case", [](PanelFields& f) { f.ruleF = "f+F"; } },
        { "a rule for a command",
            [](PanelFields& f) {
                f.moreRules = { { "+", "1", "F" } };
            } },
    };
    for (const Row& row : refused) {
        SCOPED_TRACE(row.name);
        PanelFields fields = fractint;
        row.change(fields);
        EXPECT_EQ(app::FormatFractintEntry(fields, "S"), std::nullopt);
    }
}

} // namespace
