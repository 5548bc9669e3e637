#pragma once

#include "app/panel_fields.h"
#include "app/presets.h"
#include "lsystem/draw_params.h"
#include "lsystem/turtle.h"
#include "plane/plane.h"

#include <cstdint>
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

// The Draw command: reads the fields into the plane and the drawing parameters in a fixed
// order of steps, rewrites the axiom and walks the word onto the canvas. A step that fails ends
// the command by raising its error; the steps before it have taken effect.
// The angle is read with the user's decimal separator.
void RunDraw(const PanelFields& input, const std::string& decimalSeparator,
    const DrawTarget& target, lsystem::Canvas& canvas);

} // namespace app
