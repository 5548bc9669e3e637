#include "lsystem/fractint/fractint_turtle.h"

#include "fpu/floating_point_error.h"
#include "lsystem/walk/branch_limit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace lsystem {

namespace {

// The number of angles in a full turn, where that is a whole number (an imported angle of 360/n
// degrees, written as the shortest decimal that reads back as it, times n is 360 up to rounding),
// else 0: headings then stay exact multiples of the angle however often the turtle turns.
std::int64_t PeriodOf(double angle)
{
    const double magnitude = std::fabs(angle);
    if (!(magnitude > 0.0) || !std::isfinite(magnitude))
        return 0;
    const double turns = std::nearbyint(360.0 / magnitude);
    if (!(turns >= 1.0 && turns <= 1.0e6) || std::fabs(turns * magnitude - 360.0) > 1.0e-9)
        return 0;
    return static_cast<std::int64_t>(turns);
}

// The largest whole number of angles not above half a turn.
std::int64_t HalfTurnOf(double angle, std::int64_t period)
{
    if (period != 0)
        return period / 2;
    const double angles = std::floor(180.0 / std::fabs(angle));
    return angles >= 1.0 && angles <= 1.0e6 ? static_cast<std::int64_t>(angles) : 0;
}

constexpr std::size_t ReservedBranches = 256; // open branches held without reallocating

constexpr std::int64_t MaxExponent = 100000; // of ten, far beyond any double's

} // namespace

void FractintTurtle::Number::Reset(FractintCommand command)
{
    m_grammar = FractintNumber(command);
    m_length = 0;
    m_droppedNonZero = false;
    m_exponent = 0;
    m_wholeModulo16 = 0;
    m_inverse = false;
    m_root = false;
}

bool FractintTurtle::Number::Take(char symbol)
{
    using Part = FractintNumber::Part;
    switch (m_grammar.Take(symbol)) {
    case Part::Prefix:
        (symbol == 'I' ? m_inverse : m_root) = true;
        return true;
    case Part::Digit:
        break;
    case Part::Point:
        return true;
    case Part::End:
        return false;
    }
    const bool whole = !m_grammar.hasPoint();
    if (whole)
        m_wholeModulo16 = (m_wholeModulo16 * 10 + (symbol - '0')) % 16;
    if (m_length == 0 && symbol == '0') {
        if (!whole && m_exponent > -MaxExponent)
            --m_exponent;
        return true;
    }
    if (whole && m_exponent < MaxExponent)
        ++m_exponent;
    if (m_length < m_digits.size())
        m_digits[m_length++] = symbol;
    else if (symbol != '0')
        m_droppedNonZero = true;
    return true;
}

double FractintTurtle::Number::value() const
{
    if (m_length == 0)
        return 0.0;
    // 0.ddd...e<exponent>, a last 1 standing for the dropped digits that are not all zero.
    std::array<char, SignificantDigits + 32> text {};
    char* end = text.data();
    *end++ = '0';
    *end++ = '.';
    end = std::copy_n(m_digits.data(), m_length, end);
    if (m_droppedNonZero)
        *end++ = '1';
    *end++ = 'e';
    end = std::to_chars(end, text.data() + text.size(), m_exponent).ptr;
    double value = 0.0;
    const auto [parsed, failure] = std::from_chars(text.data(), end, value);
    if (failure == std::errc::result_out_of_range)
        return m_exponent > 0 ? fpu::Checked(std::numeric_limits<double>::infinity()) : 0.0;
    return value;
}

FractintTurtle::FractintTurtle(const DrawParams& params, Canvas& canvas)
    : m_angle(params.Angle)
    , m_period(PeriodOf(params.Angle))
    , m_halfTurn(HalfTurnOf(params.Angle, m_period))
    , m_canvas(canvas)
{
    m_state.stepLength = params.StepLength;
    m_branches.reserve(ReservedBranches);
}

void FractintTurtle::EndWord()
{
    if (m_numbered != FractintCommand::None)
        ApplyCommand();
}

const Direction& FractintTurtle::StepDirection()
{
    // The heading within half a turn either way of the start, so that a turn back is exactly
    // undone.
    std::int64_t turns = m_state.turns;
    if (m_period != 0 && 2 * turns > m_period)
        turns -= m_period;
    return m_direction(fpu::Checked(static_cast<double>(turns) * m_angle));
}

void FractintTurtle::Forward(const Direction& direction, bool draws)
{
    // Headings are anticlockwise from +x: the cosine runs along x, the sine along y.
    const double endX
        = fpu::Checked(m_state.x + fpu::Checked(m_state.stepLength * direction.cosine));
    const double endY = fpu::Checked(m_state.y + fpu::Checked(m_state.stepLength * direction.sine));
    if (draws) {
        ++m_segmentsDrawn;
        m_canvas.DrawSegment({ m_state.x, m_state.y, 1.0 }, { endX, endY, 1.0 },
            FractintPalette[static_cast<std::size_t>(m_state.colour)], FractintPenWidth);
    }
    m_state.x = endX;
    m_state.y = endY;
}

void FractintTurtle::Turn(std::int64_t angles)
{
    m_state.turns += angles;
    if (m_period != 0) {
        m_state.turns %= m_period;
        if (m_state.turns < 0)
            m_state.turns += m_period;
    }
}

void FractintTurtle::ApplyCommand()
{
    const FractintCommand command = m_numbered;
    m_numbered = FractintCommand::None;
    // Headings are anticlockwise, so a left turn adds to them.
    const double leftward = m_state.swapped ? -1.0 : 1.0;
    switch (command) {
    case FractintCommand::Scale: {
        double factor = m_number.value();
        if (m_number.root())
            factor = std::sqrt(factor);
        if (m_number.inverse())
            factor = fpu::Divide(1.0, factor);
        m_state.stepLength = fpu::Checked(m_state.stepLength * factor);
        break;
    }
    case FractintCommand::TurnDegreesLeft:
        m_state.degrees = fpu::Checked(m_state.degrees + leftward * m_number.value());
        break;
    case FractintCommand::TurnDegreesRight:
        m_state.degrees = fpu::Checked(m_state.degrees - leftward * m_number.value());
        break;
    case FractintCommand::SetColour:
        m_state.colour = m_number.wholeModulo16();
        break;
    case FractintCommand::AddColour:
        m_state.colour = (m_state.colour + m_number.wholeModulo16()) % 16;
        break;
    case FractintCommand::SubtractColour:
        m_state.colour = (m_state.colour + 16 - m_number.wholeModulo16()) % 16;
        break;
    // Commands without a number are never pending.
    case FractintCommand::None:
    case FractintCommand::DrawStep:
    case FractintCommand::MoveStep:
    case FractintCommand::DrawDegreeStep:
    case FractintCommand::MoveDegreeStep:
    case FractintCommand::TurnLeft:
    case FractintCommand::TurnRight:
    case FractintCommand::TurnAround:
    case FractintCommand::SwapTurns:
    case FractintCommand::OpenBranch:
    case FractintCommand::CloseBranch:
        break;
    }
}

void FractintTurtle::OpenBranch()
{
    if (m_branches.size() == MaxBranchDepth)
        throw BranchDepthError();
    m_branches.push_back(m_state);
}

void FractintTurtle::CloseBranch()
{
    if (m_branches.empty())
        return;
    m_state = m_branches.back();
    m_branches.pop_back();
}

} // namespace lsystem
