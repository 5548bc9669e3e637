#include "app/core/prepared_draw.h"

#include "app/core/float_text.h"
#include "app/core/presets.h"
#include "expr/evaluator.h"
#include "fpu/floating_point_error.h"

#include <algorithm>

namespace app {

ExpressionError::ExpressionError(
    ExpressionField field, const std::string& text, const std::string& message)
    : std::runtime_error("'" + text + "' is not a valid expression: " + message)
    , m_field(field)
{
}

AngleError::AngleError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid floating point value")
{
}

namespace {

// Evaluates one expression field; a text the evaluator rejects ends the command. The
// expression variables are never set, so they all read 0.
double EvaluateField(ExpressionField field, const std::string& text)
{
    std::string errorText;
    const double value = expr::Evaluate(text, errorText, expr::Variables {});
    if (!errorText.empty())
        throw ExpressionError(field, text, errorText);
    return value;
}

// The panel's spin field keeps the count within 0 to 10; a record from elsewhere may not.
std::int32_t SubstitutionCount(const PanelFields& fields)
{
    return std::clamp(fields.substCount, MinSubstitutions, MaxSubstitutions);
}

} // namespace

plane::Rgb FigureColour(const PanelFields& fields, plane::Rgb colourBefore)
{
    return LineColour(fields.preset, SubstitutionCount(fields)).value_or(colourBefore);
}

PreparedWalk PrepareWalk(
    const PanelFields& fields, const std::string& decimalSeparator, plane::Rgb colourBefore)
{
    const std::int32_t count = SubstitutionCount(fields);
    const plane::Rgb colour = FigureColour(fields, colourBefore);

    lsystem::DrawParams params;
    params.Word = fields.axiom;
    params.RuleF = fields.ruleF;
    params.RuleG = fields.ruleG;
    params.LengthScale = EvaluateField(ExpressionField::Length, fields.length);
    const auto angle = TextToFloat(fields.angle, decimalSeparator);
    if (!angle)
        throw AngleError(fields.angle);
    params.Angle = *angle;
    params.SubstCount = count;
    params.PenWidth = StartPenWidth(fields.preset, count);
    params.RandomAmp = EvaluateField(ExpressionField::Random, fields.random);

    params.StepLength = 1.0;
    for (std::int32_t i = 0; i < params.SubstCount; ++i)
        params.StepLength = fpu::Checked(params.StepLength * params.LengthScale);

    return { std::move(params), WalkStyleFor(fields.preset, count, colour) };
}

PreparedView PrepareView(const PanelFields& fields, int planeSize)
{
    PreparedView view;
    view.window = { EvaluateField(ExpressionField::X1, fields.x1),
        EvaluateField(ExpressionField::X2, fields.x2),
        EvaluateField(ExpressionField::Y1, fields.y1),
        EvaluateField(ExpressionField::Y2, fields.y2) };
    view.mapping.SetWorldWindow(
        view.window.x1, view.window.x2, view.window.y1, view.window.y2, planeSize, planeSize);
    return view;
}

PreparedDraw PrepareDraw(const PanelFields& fields, const std::string& decimalSeparator,
    plane::Rgb colourBefore, int planeSize)
{
    PreparedView view = PrepareView(fields, planeSize);
    return { view, PrepareWalk(fields, decimalSeparator, colourBefore) };
}

} // namespace app
