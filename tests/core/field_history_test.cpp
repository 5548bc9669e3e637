#include "app/core/record/field_history.h"

#include "app/core/record/presets.h"
#include "app/core/record/rule_notation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using app::FieldHistory;
using app::PanelFields;

PanelFields WithAxiom(const std::string& axiom)
{
    PanelFields fields;
    fields.axiom = axiom;
    return fields;
}

TEST(FieldHistory, UndoAndRedoWalkBackAndForthThroughTheWholeState)
{
    FieldHistory history;
    PanelFields typed = WithAxiom("X");
    typed.moreRules = { { "X", "1", "F(+X)F(-X)+X" } };
    typed.commands = lsystem::CommandSet::Fractint;
    PanelFields preset = typed;
    app::ApplyPreset(app::Preset::Plant3, preset);
    const PanelFields fitted = WithAxiom("fitted");

    history.Record(typed);
    history.Record(preset);
    EXPECT_EQ(history.Undo(fitted), preset);
    EXPECT_EQ(history.Undo(preset), typed);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.Undo(typed), std::nullopt);
    EXPECT_EQ(history.Redo(typed), preset);
    EXPECT_EQ(history.Redo(preset), fitted);
    EXPECT_EQ(history.Redo(fitted), std::nullopt);
    EXPECT_EQ(history.Undo(fitted), preset);
}

TEST(FieldHistory, ANewRecordForgetsTheRedoAndARepeatIsKeptOnce)
{
    FieldHistory history;
    history.Record(WithAxiom("a"));
    history.Record(WithAxiom("a"));
    ASSERT_TRUE(history.Undo(WithAxiom("b")));
    EXPECT_FALSE(history.canUndo());
    EXPECT_TRUE(history.canRedo());
    history.Record(WithAxiom("c"));
    EXPECT_FALSE(history.canRedo());
}

TEST(FieldHistory, TheOldestStateGoesFirstBeyondTheLimit)
{
    FieldHistory history(2);
    for (const char* axiom : { "1", "2", "3" })
        history.Record(WithAxiom(axiom));
    EXPECT_EQ(history.Undo(WithAxiom("now"))->axiom, "3");
    EXPECT_EQ(history.Undo(WithAxiom("3"))->axiom, "2");
    EXPECT_FALSE(history.canUndo());
}

TEST(NotationHint, NamesSquareBracketsAndUnbalancedRoundOnesForThePanelOnly)
{
    const std::string square = "The panel writes branches with ( and ), not [ and ].";
    const std::string unbalanced = "The ( and ) do not balance.";
    struct Row {
        const char* word;
        lsystem::CommandSet commands;
        std::optional<std::string> hint;
    };
    const Row rows[] = {
        { "F(+X)F(-X)+X", lsystem::CommandSet::Panel, std::nullopt },
        { "F[+X]F[-X]+X", lsystem::CommandSet::Panel, square },
        { "F]", lsystem::CommandSet::Panel, square },
        { "F(+X", lsystem::CommandSet::Panel, unbalanced },
        { "F)+X(", lsystem::CommandSet::Panel, unbalanced },
        { "((F)", lsystem::CommandSet::Panel, unbalanced },
        { "", lsystem::CommandSet::Panel, std::nullopt },
        { "F[+F]F", lsystem::CommandSet::Fractint, std::nullopt },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.word);
        EXPECT_EQ(app::NotationHint(row.word, row.commands), row.hint);
    }
}

} // namespace
