#pragma once

#include "app/core/record/preset.h"
#include "lsystem/rules/command_set.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The bounds of the number of substitutions.
inline constexpr std::int32_t MinSubstitutions = 0;
inline constexpr std::int32_t MaxSubstitutions = 10;
// The book's systems grow by rules that often change few modules a step (signals, apices), so
// they take more steps.
inline constexpr std::int32_t MaxBookSubstitutions = 64;

// The most substitutions the set's figures take.
constexpr std::int32_t MaxSubstitutionsOf(lsystem::CommandSet commands)
{
    return commands == lsystem::CommandSet::Book ? MaxBookSubstitutions : MaxSubstitutions;
}

// A rule beyond the F and G fields, as the Rules window, a file or the command line gives it:
// the symbol it rewrites (one character), its weight among the symbol's alternatives (a positive
// number with a point) and its replacement. Texts exactly as typed; Draw checks them.
struct RuleText {
    std::string symbol;
    std::string weight = "1";
    std::string replacement;

    friend bool operator==(const RuleText&, const RuleText&) = default;
};

// The control panel's fields and its checked preset: what Draw reads, what a preset fills in,
// what an L-system file holds and what the command line sets. Texts are UTF-8, exactly as
// typed; the members start with the values the panel shows at start.
struct PanelFields {
    std::string axiom = "F";
    std::string ruleF = "F+F--F+F";
    std::string ruleG = "G";
    std::string angle = "60";
    std::string length = "1/3";
    std::int32_t substCount = 2;
    std::string random = "0";
    std::string x1 = "-0.1";
    std::string x2 = "1.1";
    std::string y1 = "-0.5";
    std::string y2 = "0.7";
    Preset preset = Preset::KochCurve;
    // The random generator's state at the start of the figure, where a file or the command line
    // gives one; the panel does not show it. Drawing the fields from it draws the same figure.
    std::optional<std::uint32_t> seed;
    // The rules for other symbols and the alternatives to the F and G fields' rules (which weigh
    // 1), in the order of the Rules window; the panel shows only how many there are.
    std::vector<RuleText> moreRules;
    // Which turtle reads the word: the panel's, or Fractint's for a system imported from one of
    // its collections (which the random amplitude and the preset's turn and pen do not shape);
    // files say "commands = fractint", the panel does not show it.
    lsystem::CommandSet commands = lsystem::CommandSet::Panel;
    // The book's rule text, a line of its notation each (lsystem/book/book_parser.h): "define
    // NAME EXPR", "ignore: SYMBOLS" and the productions, in order. Read for the book's commands
    // only, which read none of ruleF, ruleG and moreRules.
    std::vector<std::string> bookRules;

    friend bool operator==(const PanelFields&, const PanelFields&) = default;
};

// The fields that hold an expression, for telling which one an error is about.
enum class ExpressionField { X1, X2, Y1, Y2, Length, Random };

// One field: where PanelFields holds it, its control on the panel, its key in an L-system
// file, its command-line option and help. The start-up value is its member's initial value
// above. The checked preset is not a field: files call it "preset", the command line's
// --preset fills the fields as its button does.
struct FieldRow {
    std::string PanelFields::*text; // none for the substitution count, a whole number
    std::string_view edit;
    std::string_view fileKey;
    std::string_view option; // none for the window's bounds, which --window sets together
    std::string_view optionValue;
    std::string_view help;
    std::optional<ExpressionField> expression;
};

// The fields in the order files list them.
inline constexpr FieldRow FieldTable[] = {
    { &PanelFields::axiom, "EditAxiom", "axiom", "axiom", "word", "The axiom.", std::nullopt },
    { &PanelFields::ruleF, "EditRuleF", "rule-f", "rule-f", "word", "What replaces every F.",
        std::nullopt },
    { &PanelFields::ruleG, "EditRuleG", "rule-g", "rule-g", "word", "What replaces every G.",
        std::nullopt },
    { &PanelFields::angle, "EditAngle", "angle", "angle", "degrees",
        "The turning angle, a number with a point as decimal separator.", std::nullopt },
    { &PanelFields::length, "EditLength", "length", "length", "expression", "The length scale.",
        ExpressionField::Length },
    { nullptr, "SpinEdit1", "substitutions", "subst", "n",
        "The number of substitutions, 0 to 10 (to 64 with --commands book).", std::nullopt },
    { &PanelFields::random, "EditRandom", "random", "random", "expression", "The random amplitude.",
        ExpressionField::Random },
    { &PanelFields::x1, "EditX1", "x1", {}, {}, {}, ExpressionField::X1 },
    { &PanelFields::x2, "EditX2", "x2", {}, {}, {}, ExpressionField::X2 },
    { &PanelFields::y1, "EditY1", "y1", {}, {}, {}, ExpressionField::Y1 },
    { &PanelFields::y2, "EditY2", "y2", {}, {}, {}, ExpressionField::Y2 },
};

// The row of an expression field, and of a text field.
constexpr const FieldRow& FieldRowOf(ExpressionField field)
{
    for (const FieldRow& row : FieldTable) {
        if (row.expression == field)
            return row;
    }
    return FieldTable[0];
}
constexpr const FieldRow& FieldRowOf(std::string PanelFields::*text)
{
    for (const FieldRow& row : FieldTable) {
        if (row.text == text)
            return row;
    }
    return FieldTable[0];
}

} // namespace app
