#pragma once

#include "lsystem/panel/turtle_state.h"
#include "lsystem/walk/canvas.h"
#include "lsystem/walk/remembered_direction.h"
#include "plane/rgb.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lsystem::book {

// The colours of ";(n)": index 0 is the figure's line colour, the others fixed, in the order a
// bare ";" steps through them (after the last it starts again at 0). An index n is taken modulo
// the palette's size, rounded to the nearest whole number first.
inline constexpr std::size_t BookPaletteSize = 8;
inline constexpr std::array<plane::Rgb, BookPaletteSize - 1> BookPalette { {
    { 139, 69, 19 }, // brown: a trunk
    { 34, 139, 34 }, // green: a leaf
    { 154, 205, 50 }, // yellow green: a young leaf
    { 200, 30, 30 }, // red: a flower
    { 255, 140, 0 }, // orange
    { 218, 165, 32 }, // gold
    { 30, 80, 200 }, // blue
} };

// The widest pen "!(w)" sets, in pixels; it sets w rounded to the nearest whole number, at
// least 1 and at most this.
inline constexpr std::int32_t MaxBookPenWidth = 64;

// The turtle of the book's notation in the plane, fed module by module. Its position, heading
// (degrees, 0 along +y, growing clockwise), pen and branches are the panel turtle's
// (TurtleState), its steps are worked out as the panel's are: a system that uses only F, f, +, -,
// [ and ] without arguments draws, at the same step and angle, the very segments the panel's
// turtle draws for F, f, +, -, ( and ) with no random amplitude, no narrowing and no turn of the
// figure. Besides, "[" saves the colour with the rest and "]" restores it. Arithmetic that
// overflows or is not a number raises fpu::FloatingPointError, a branch beyond MaxBranchDepth
// BranchDepthError.
class BookTurtle {
public:
    BookTurtle(
        double stepLength, double angle, std::int32_t penWidth, plane::Rgb colour, Canvas& canvas);

    // Carries out the module's command; its first argument, if any, is the command's value.
    void Walk(char symbol, const double* arguments, std::size_t count);

    std::int32_t penWidth() const { return m_state.penWidth; }
    std::uint64_t segmentsDrawn() const { return m_segmentsDrawn; }

private:
    void Step(double length, bool draws);
    void SetPenWidth(double width);
    void SetColour(double index);

    const double m_stepLength;
    const double m_angle;
    const plane::Rgb m_figureColour;
    Canvas& m_canvas;
    TurtleState m_state;
    std::size_t m_colour = 0;
    std::vector<std::size_t> m_savedColours; // one an open branch
    RememberedDirection m_direction;
    std::uint64_t m_segmentsDrawn = 0;
};

} // namespace lsystem::book
