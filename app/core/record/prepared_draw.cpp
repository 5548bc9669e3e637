#include "app/core/record/prepared_draw.h"

#include "app/core/record/presets.h"
#include "app/core/record/rule_text.h"
#include "app/core/text/float_text.h"
#include "expr/evaluator.h"
#include "fpu/floating_point_error.h"
#include "lsystem/book/book_walk.h"
#include "lsystem/rules/rule_table.h"

#include <algorithm>
#include <array>
#include <limits>

namespace app {

ExpressionError::ExpressionError(
    ExpressionField field, const std::string& text, const std::string& message)
    : std::runtime_error("'" + text + "' is not a valid expression: " + message)
    , m_field(field)
{
}

FieldArithmeticError::FieldArithmeticError(ExpressionField field, fpu::Fault fault)
    : fpu::FloatingPointError(fault)
    , m_field(field)
{
}

AngleError::AngleError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid floating point value")
{
}

namespace {

// Evaluates one expression field; a text the evaluator rejects, or whose arithmetic fails,
// ends the command. The expression variables are never set, so they all read 0.
double EvaluateField(ExpressionField field, const std::string& text)
{
    std::string errorText;
    double value = 0.0;
    try {
        value = expr::Evaluate(text, errorText, expr::Variables {});
    } catch (const fpu::FloatingPointError& error) {
        throw FieldArithmeticError(field, error.fault());
    }
    if (!errorText.empty())
        throw ExpressionError(field, text, errorText);
    return value;
}

// The panel's spin field keeps the count within 0 to 10; a record from elsewhere may not.
std::int32_t SubstitutionCount(const PanelFields& fields)
{
    return std::clamp(fields.substCount, MinSubstitutions, MaxSubstitutionsOf(fields.commands));
}

// The book's rule text as the walk takes it, a line each.
std::string BookRuleText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

} // namespace

bool TakesRandomNumbers(const lsystem::DrawParams& params)
{
    if (params.Commands == lsystem::CommandSet::Book)
        return lsystem::book::ParsedBookSystem(params.Word, params.BookRules).weighted;
    // Fractint's turtle takes no random numbers.
    return (params.RandomAmp != 0.0 && params.Commands == lsystem::CommandSet::Panel)
        || lsystem::RuleTable(params.RuleF, params.RuleG, params.MoreRules).weighted();
}

plane::Rgb FigureColour(const PanelFields& fields, plane::Rgb colourBefore)
{
    return LineColour(fields.preset, SubstitutionCount(fields)).value_or(colourBefore);
}

PreparedWalk PrepareWalk(const PanelFields& fields, plane::Rgb colourBefore)
{
    PreparedWalk walk;
    lsystem::DrawParams& params = walk.params;
    params.Word = fields.axiom;
    params.RuleF = fields.ruleF;
    params.RuleG = fields.ruleG;
    params.LengthScale = EvaluateField(ExpressionField::Length, fields.length);
    const auto angle = TextToFloat(fields.angle);
    if (!angle)
        throw AngleError(fields.angle);
    params.Angle = *angle;
    params.RandomAmp = EvaluateField(ExpressionField::Random, fields.random);
    params.MoreRules = ReadRules(fields.moreRules);
    params.Commands = fields.commands;
    if (params.Commands == lsystem::CommandSet::Book) {
        params.BookRules = BookRuleText(fields.bookRules);
        lsystem::book::ParsedBookSystem(params.Word, params.BookRules);
    }
    return WalkAtCount(walk, fields.preset, fields.substCount, colourBefore);
}

PreparedWalk WalkAtCount(const PreparedWalk& walk, Preset preset, std::int32_t count,
    plane::Rgb colourBefore, std::optional<std::int32_t> maxCount)
{
    count = std::clamp(
        count, MinSubstitutions, maxCount.value_or(MaxSubstitutionsOf(walk.params.Commands)));
    lsystem::DrawParams params = walk.params;
    params.SubstCount = count;
    params.PenWidth = StartPenWidth(preset, count);
    params.StepLength = 1.0;
    try {
        for (std::int32_t i = 0; i < count; ++i)
            params.StepLength = fpu::Checked(params.StepLength * params.LengthScale);
    } catch (const fpu::FloatingPointError& error) {
        throw FieldArithmeticError(ExpressionField::Length, error.fault());
    }
    const plane::Rgb colour = LineColour(preset, count).value_or(colourBefore);
    return { std::move(params), WalkStyleFor(preset, count, colour) };
}

plane::Viewport WindowMapping(const WorldWindow& window, int planeSize)
{
    plane::Viewport mapping;
    mapping.SetWorldWindow(window.x1, window.x2, window.y1, window.y2, planeSize, planeSize);
    return mapping;
}

PreparedView PrepareView(const PanelFields& fields, int planeSize)
{
    const WorldWindow window { EvaluateField(ExpressionField::X1, fields.x1),
        EvaluateField(ExpressionField::X2, fields.x2),
        EvaluateField(ExpressionField::Y1, fields.y1),
        EvaluateField(ExpressionField::Y2, fields.y2) };
    return { window, WindowMapping(window, planeSize) };
}

PreparedDraw PrepareDraw(const PanelFields& fields, plane::Rgb colourBefore, int planeSize)
{
    PreparedView view = PrepareView(fields, planeSize);
    return { view, PrepareWalk(fields, colourBefore) };
}

} // namespace app
