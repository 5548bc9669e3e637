#include "app/draw_command.h"

#include "app/float_text.h"
#include "expr/evaluator.h"
#include "fpu/floating_point_error.h"

#include <algorithm>

namespace app {

namespace {

// Evaluates one expression field; a text the evaluator rejects ends the command.
double EvaluateField(plane::Plane& plane, ExpressionField field, const std::string& text)
{
    const expr::Variables variables { plane.VarX, plane.VarY, plane.VarT, plane.VarR, plane.VarS,
        plane.VarZ, plane.VarK, plane.VarN };
    const double value = expr::Evaluate(text, plane.ErrorText, variables);
    if (!plane.ErrorText.empty())
        throw ExpressionError(field, text, plane.ErrorText);
    return value;
}

} // namespace

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

lsystem::WalkStyle PrepareDraw(const PanelFields& input, const std::string& decimalSeparator,
    plane::Plane& plane, lsystem::DrawParams& params)
{
    // The panel's spin field keeps the count within 0 to 10; a record from elsewhere may not.
    const std::int32_t count = std::clamp(input.substCount, MinSubstitutions, MaxSubstitutions);

    plane.X1 = EvaluateField(plane, ExpressionField::X1, input.x1);
    plane.X2 = EvaluateField(plane, ExpressionField::X2, input.x2);
    plane.Y1 = EvaluateField(plane, ExpressionField::Y1, input.y1);
    plane.Y2 = EvaluateField(plane, ExpressionField::Y2, input.y2);
    plane.SetWorldWindow(plane.X1, plane.X2, plane.Y1, plane.Y2);

    if (const auto colour = LineColour(input.preset, count)) {
        plane.LineRed = colour->red;
        plane.LineGreen = colour->green;
        plane.LineBlue = colour->blue;
    }

    params.Word = input.axiom;
    params.RuleF = input.ruleF;
    params.RuleG = input.ruleG;
    params.LengthScale = EvaluateField(plane, ExpressionField::Length, input.length);
    const auto angle = TextToFloat(input.angle, decimalSeparator);
    if (!angle)
        throw AngleError(input.angle);
    params.Angle = *angle;
    params.SubstCount = count;
    params.PenWidth = StartPenWidth(input.preset, count);
    params.RandomAmp = EvaluateField(plane, ExpressionField::Random, input.random);

    params.StepLength = 1.0;
    for (std::int32_t i = 0; i < params.SubstCount; ++i)
        params.StepLength = fpu::Checked(params.StepLength * params.LengthScale);

    const plane::Rgb colour { plane.LineRed, plane.LineGreen, plane.LineBlue };
    const lsystem::WalkStyle style = WalkStyleFor(input.preset, count, colour);
    if (style.rotation)
        plane.Rotation = plane::RotationMatrix(*style.rotation);
    return style;
}

std::uint64_t RunDraw(const PanelFields& input, const std::string& decimalSeparator,
    const DrawTarget& target, lsystem::Canvas& canvas, std::uint64_t symbolLimit)
{
    const lsystem::WalkStyle style
        = PrepareDraw(input, decimalSeparator, target.plane, target.params);
    lsystem::TurtleWalk walk(target.params, style, target.random, canvas);
    while (!walk.finished() && walk.symbolsWalked() < symbolLimit)
        walk.Advance(symbolLimit - walk.symbolsWalked());
    return walk.symbolsWalked();
}

PanelFields MeasuringFields(PanelFields fields)
{
    fields.x1 = "0";
    fields.x2 = "1";
    fields.y1 = "0";
    fields.y2 = "1";
    return fields;
}

} // namespace app
