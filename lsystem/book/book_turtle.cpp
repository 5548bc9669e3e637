#include "lsystem/book/book_turtle.h"

#include "lsystem/book/book_command.h"

#include <algorithm>
#include <cmath>

namespace lsystem::book {

BookTurtle::BookTurtle(
    double stepLength, double angle, std::int32_t penWidth, plane::Rgb colour, Canvas& canvas)
    : m_stepLength(stepLength)
    , m_angle(angle)
    , m_figureColour(colour)
    , m_canvas(canvas)
    , m_state(penWidth)
{
}

void BookTurtle::Walk(char symbol, const double* arguments, std::size_t count)
{
    const bool given = count != 0;
    switch (BookCommandOf(symbol)) {
    case BookCommand::None:
    case BookCommand::Turn3D:
        return;
    case BookCommand::Draw:
        Step(given ? arguments[0] : m_stepLength, true);
        return;
    case BookCommand::Move:
        Step(given ? arguments[0] : m_stepLength, false);
        return;
    case BookCommand::TurnLeft:
        m_state.TurnLeft(given ? arguments[0] : m_angle);
        return;
    case BookCommand::TurnRight:
        m_state.TurnRight(given ? arguments[0] : m_angle);
        return;
    case BookCommand::TurnBack:
        m_state.TurnRight(180.0);
        return;
    case BookCommand::Push:
        m_state.OpenBranch();
        m_savedColours.push_back(m_colour);
        return;
    case BookCommand::Pop:
        if (m_state.CloseBranch()) {
            m_colour = m_savedColours.back();
            m_savedColours.pop_back();
        }
        return;
    case BookCommand::PenWidth:
        if (given)
            SetPenWidth(arguments[0]);
        return;
    case BookCommand::Colour:
        if (given)
            SetColour(arguments[0]);
        else
            m_colour = (m_colour + 1) % BookPaletteSize;
        return;
    }
}

// As the panel's turtle steps: the step along the heading is length * sine across and
// length * cosine up, added to the position.
void BookTurtle::Step(double length, bool draws)
{
    const Direction& direction = m_direction(m_state.heading);
    const double alongX = TurtleState::Finite(TurtleState::Finite(length) * direction.sine);
    const double alongY = length * direction.cosine;
    const double startX = m_state.x;
    const double startY = m_state.y;
    m_state.Move(alongX, alongY);
    if (!draws)
        return;
    ++m_segmentsDrawn;
    const plane::Rgb colour = m_colour == 0 ? m_figureColour : BookPalette[m_colour - 1];
    m_canvas.DrawSegment(
        { startX, startY, 1.0 }, { m_state.x, m_state.y, 1.0 }, colour, m_state.penWidth);
}

void BookTurtle::SetPenWidth(double width)
{
    const double pixels = std::clamp(
        std::round(TurtleState::Finite(width)), 1.0, static_cast<double>(MaxBookPenWidth));
    m_state.penWidth = static_cast<std::int32_t>(pixels);
}

void BookTurtle::SetColour(double index)
{
    const double whole = std::round(TurtleState::Finite(index));
    const double size = static_cast<double>(BookPaletteSize);
    const double wrapped = whole - size * std::floor(whole / size);
    m_colour = std::min(static_cast<std::size_t>(wrapped), BookPaletteSize - 1);
}

} // namespace lsystem::book
