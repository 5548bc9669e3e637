#pragma once

#include "app/core/record/panel_fields.h"
#include "app/core/record/world_window.h"
#include "fpu/floating_point_error.h"
#include "lsystem/walk/draw_params.h"
#include "lsystem/walk/walk_style.h"
#include "plane/rgb.h"
#include "plane/viewport.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace app {

// An expression field that the evaluator rejected; the message names the text and gives the
// evaluator's own message.
class ExpressionError : public std::runtime_error {
public:
    ExpressionError(ExpressionField field, const std::string& text, const std::string& message);
    ExpressionField field() const { return m_field; }

private:
    ExpressionField m_field;
};

// An arithmetic fault met in reading an expression field: the fault's own message, so that it
// reads as any other, and the field it came from. The step length, the length raised to the
// count, is the length field's.
class FieldArithmeticError : public fpu::FloatingPointError {
public:
    FieldArithmeticError(ExpressionField field, fpu::Fault fault);
    ExpressionField field() const { return m_field; }

private:
    ExpressionField m_field;
};

// An angle text that is not a number.
class AngleError : public std::runtime_error {
public:
    explicit AngleError(const std::string& text);
};

// What a walk needs of the fields, apart from the window: the drawing parameters and the style
// (whose colour is the figure's line colour).
struct PreparedWalk {
    lsystem::DrawParams params;
    lsystem::WalkStyle style;
};

// The world window of the fields and its mapping onto the plane.
struct PreparedView {
    WorldWindow window;
    plane::Viewport mapping;
};

// Everything one Draw works with.
struct PreparedDraw {
    PreparedView view;
    PreparedWalk walk;
};

// The steps of Draw before the walk, as a value: nothing else changes. The window fields are
// evaluated and mapped onto a planeSize × planeSize plane, then the line colour is chosen (the
// preset's, else colourBefore), then the length, the angle (a number with a point), the random
// amplitude and the more rules (for the book's commands, the book's rule text) are read and the
// step length computed. The first field that fails raises its error (ExpressionError,
// AngleError, RuleError, lsystem::book::BookRulesError, FieldArithmeticError) or the window
// mapping's arithmetic fault.
PreparedDraw PrepareDraw(const PanelFields& fields, plane::Rgb colourBefore, int planeSize);

// The two halves of PrepareDraw. A walk that only measures the figure prepares the walk alone:
// its window may be anything, since the measurement is what replaces it.
PreparedView PrepareView(const PanelFields& fields, int planeSize);
PreparedWalk PrepareWalk(const PanelFields& fields, plane::Rgb colourBefore);

// The mapping of a window onto a planeSize × planeSize plane; raises the faults of
// plane::Viewport::SetWorldWindow.
plane::Viewport WindowMapping(const WorldWindow& window, int planeSize);

// A prepared walk at another number of substitutions (kept within 0 to maxCount, by default the
// most its command set takes): the
// parameters read from the fields stay, the step length, the pen and the style follow the count
// as PrepareWalk makes them, the colour the preset's at that count, else colourBefore. Raises
// the overflow of the step length as the length field's FieldArithmeticError.
PreparedWalk WalkAtCount(const PreparedWalk& walk, Preset preset, std::int32_t count,
    plane::Rgb colourBefore, std::optional<std::int32_t> maxCount = std::nullopt);

// Whether the random generator's state at a walk's start shapes the figure of these parameters:
// they have a random amplitude that their turtle takes numbers for (the panel's does, Fractint's
// and the book's do not), or a symbol with several alternatives (the state is the seed that
// chooses among them).
bool TakesRandomNumbers(const lsystem::DrawParams& params);

// The line colour of a Draw of these fields: the preset's, else the colour before.
plane::Rgb FigureColour(const PanelFields& fields, plane::Rgb colourBefore);

} // namespace app
