#pragma once

#include "app/panel_fields.h"
#include "app/presets.h"
#include "lsystem/draw_params.h"
#include "lsystem/turtle.h"
#include "plane/plane.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace app {

// The expression fields, for telling the panel which one to put the focus into.
enum class ExpressionField { X1, X2, Y1, Y2, Length, Random };

// An expression field that the evaluator rejected; the message names the text and gives the
// evaluator's own message.
class ExpressionError : public std::runtime_error {
public:
    ExpressionError(ExpressionField field, const std::string& text, const std::string& message);
    ExpressionField field() const { return m_field; }

private:
    ExpressionField m_field;
};

// An angle text that is not a number in the user's locale.
class AngleError : public std::runtime_error {
public:
    explicit AngleError(const std::string& text);
};

// What one Draw works on: the plane, the run's drawing parameters and random generator.
struct DrawTarget {
    plane::Plane& plane;
    lsystem::DrawParams& params;
    lsystem::RandomGenerator& random;
};

// Steps of Draw before the walk: reads the fields into the plane and the drawing parameters
// (params.Word holds the axiom, params.RuleF and RuleG the rules) and returns the walk's style.
// The angle is read with the user's decimal separator.
lsystem::WalkStyle PrepareDraw(const PanelFields& input, const std::string& decimalSeparator,
    plane::Plane& plane, lsystem::DrawParams& params);

// The whole Draw at once: PrepareDraw, then the walk onto the canvas until the word ends or
// `symbolLimit` symbols have been walked. Returns the symbols walked.
std::uint64_t RunDraw(const PanelFields& input, const std::string& decimalSeparator,
    const DrawTarget& target, lsystem::Canvas& canvas,
    std::uint64_t symbolLimit = std::numeric_limits<std::uint64_t>::max());

// The fields for a walk that only measures the figure, for Fit to Figure: the window replaced by
// the unit square. The walk's segments are in world coordinates whatever the window, and the
// window is what Fit replaces, so texts there that cannot be read must not stop it.
PanelFields MeasuringFields(PanelFields fields);

} // namespace app
