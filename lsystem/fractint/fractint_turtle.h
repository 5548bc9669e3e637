#pragma once

#include "lsystem/commands/fractint_commands.h"
#include "lsystem/walk/canvas.h"
#include "lsystem/walk/draw_params.h"
#include "lsystem/walk/remembered_direction.h"
#include "plane/rgb.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lsystem {

// The colours of the colour commands, by index (taken modulo 16). On Fractint's black screen
// index 0 is the background's colour; on this program's white plane the first and the last
// colours of the usual 16-colour display change places, so that index 0 is still the
// background's colour and index 15, where every walk starts, is black and shows. The fourteen
// between are the display's colours in its order.
inline constexpr std::array<plane::Rgb, 16> FractintPalette = { {
    { 255, 255, 255 }, // 0 white, the plane's own colour
    { 0, 0, 170 }, // 1 blue
    { 0, 170, 0 }, // 2 green
    { 0, 170, 170 }, // 3 cyan
    { 170, 0, 0 }, // 4 red
    { 170, 0, 170 }, // 5 magenta
    { 170, 85, 0 }, // 6 brown
    { 170, 170, 170 }, // 7 light grey
    { 85, 85, 85 }, // 8 dark grey
    { 85, 85, 255 }, // 9 light blue
    { 85, 255, 85 }, // 10 light green
    { 85, 255, 255 }, // 11 light cyan
    { 255, 85, 85 }, // 12 light red
    { 255, 85, 255 }, // 13 light magenta
    { 255, 255, 85 }, // 14 yellow
    { 0, 0, 0 }, // 15 black
} };
inline constexpr std::int32_t FractintStartColour = 15;

// Every segment of a Fractint system is drawn with the plane's thinnest pen.
inline constexpr std::int32_t FractintPenWidth = 1;

// The turtle of a Fractint system (CommandSet::Fractint), fed the rewritten word symbol by symbol.
// It walks the commands of FractintCommand:
//   F draws a step and G moves one, along the step heading, which "+" turns left (anticlockwise)
//     and "-" right by params.Angle, and "|" by the largest whole number of angles not above
//     180 degrees, in the direction of "+";
//   D draws a step and M moves one along the degree heading, a heading of its own, which "\nn"
//     turns left and "/nn" right by nn degrees; both headings start to the right (+x), as
//     Fractint's turtle does, and left is anticlockwise on the plane, whose y grows upwards;
//   "!" swaps the meanings of "+" and "-" and of "\" and "/" (and so turns "|" the other way);
//   "@nnn" multiplies the step length by nnn, its prefixes "I" (divide) and "Q" (by the square
//     root), in either order, changing how (@IQ2 divides by the square root of 2);
//   "Cnn" sets the colour index to nn, "<nn" adds nn to it and ">nn" takes nn from it, modulo 16;
//   "[" saves the whole state (position, both headings, step length, colour, the "!" swap) and
//     "]" restores the last saved one; a "]" with none saved leaves the turtle as it is.
// A number (FractintNumber) is read as a decimal; its whole part alone counts for a colour; none
// reads as 0. A command takes effect when the first symbol after its number comes, or at
// EndWord(). The turtle starts at the origin with params.StepLength. Floating-point faults and
// BranchDepthError are raised as by the panel's turtle.
class FractintTurtle {
public:
    FractintTurtle(const DrawParams& params, Canvas& canvas);

    // Walks the next symbol of the word; if it raises a fault, the symbol has not been walked.
    [[gnu::always_inline]] void Walk(char symbol)
    {
        if (m_numbered != FractintCommand::None) {
            if (m_number.Take(symbol))
                return;
            ApplyCommand();
        }
        const FractintCommand command = FractintCommandTable[static_cast<unsigned char>(symbol)];
        switch (command) {
        case FractintCommand::None:
            break;
        case FractintCommand::DrawStep:
            Forward(StepDirection(), true);
            break;
        case FractintCommand::MoveStep:
            Forward(StepDirection(), false);
            break;
        case FractintCommand::DrawDegreeStep:
            Forward(m_direction(m_state.degrees), true);
            break;
        case FractintCommand::MoveDegreeStep:
            Forward(m_direction(m_state.degrees), false);
            break;
        case FractintCommand::TurnLeft:
            Turn(m_state.swapped ? -1 : 1);
            break;
        case FractintCommand::TurnRight:
            Turn(m_state.swapped ? 1 : -1);
            break;
        case FractintCommand::TurnAround:
            Turn(m_state.swapped ? -m_halfTurn : m_halfTurn);
            break;
        case FractintCommand::SwapTurns:
            m_state.swapped = !m_state.swapped;
            break;
        case FractintCommand::OpenBranch:
            OpenBranch();
            break;
        case FractintCommand::CloseBranch:
            CloseBranch();
            break;
        case FractintCommand::Scale:
        case FractintCommand::TurnDegreesLeft:
        case FractintCommand::TurnDegreesRight:
        case FractintCommand::SetColour:
        case FractintCommand::AddColour:
        case FractintCommand::SubtractColour:
            m_numbered = command;
            m_number.Reset(command);
            break;
        }
    }
    // The word has ended: a command whose number ended it takes effect.
    void EndWord();

    std::uint64_t segmentsDrawn() const { return m_segmentsDrawn; }

private:
    // The number after a command, taken symbol by symbol. Its value is the nearest double to
    // the decimal however many digits it has: leading zeros are skipped, and beyond the first
    // SignificantDigits significant digits only whether any is not zero counts, which is all that
    // can still decide the rounding.
    class Number {
    public:
        void Reset(FractintCommand command);
        // Whether `symbol` belongs to the number.
        bool Take(char symbol);
        double value() const; // 0 for none
        std::int32_t wholeModulo16() const { return m_wholeModulo16; }
        bool inverse() const { return m_inverse; }
        bool root() const { return m_root; }

    private:
        static constexpr std::size_t SignificantDigits = 800;

        FractintNumber m_grammar { FractintCommand::None };
        std::array<char, SignificantDigits> m_digits {}; // from the first that is not zero
        std::size_t m_length = 0;
        bool m_droppedNonZero = false; // a digit beyond m_digits is not zero
        // The power of ten of the first significant digit's place plus one: its whole digits
        // counted, or the fraction's zeros before it taken away (saturated, far beyond a double).
        std::int64_t m_exponent = 0;
        std::int32_t m_wholeModulo16 = 0;
        bool m_inverse = false;
        bool m_root = false;
    };

    struct State {
        double x = 0.0;
        double y = 0.0;
        // The step heading, in angles anticlockwise from +x: within [0, m_period) where the
        // angle divides the full turn.
        std::int64_t turns = 0;
        double degrees = 0.0; // the degree heading, anticlockwise from +x
        double stepLength = 0.0;
        std::int32_t colour = FractintStartColour;
        bool swapped = false;
    };

    const Direction& StepDirection();
    void Forward(const Direction& direction, bool draws);
    void Turn(std::int64_t angles);
    void ApplyCommand();
    void OpenBranch();
    void CloseBranch();

    const double m_angle;
    // The number of angles in a full turn where that is a whole number, else 0.
    const std::int64_t m_period;
    const std::int64_t m_halfTurn; // the angles that "|" turns
    Canvas& m_canvas;
    State m_state;
    std::vector<State> m_branches;
    FractintCommand m_numbered = FractintCommand::None; // the command whose number is being read
    Number m_number;
    RememberedDirection m_direction;
    std::uint64_t m_segmentsDrawn = 0;
};

} // namespace lsystem
