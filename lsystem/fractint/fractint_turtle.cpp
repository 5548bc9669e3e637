#include "lsystem/fractint/fractint_turtle.h"

#include "fpu/floating_point_error.h"
#include "lsystem/walk/branch_limit.h"

#include <charconv>
#include <cmath>

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

constexpr std::int32_t MaxExponent = 400; // of ten, well beyond the largest double

} // namespace

bool FractintTurtle::Number::Take(char symbol, bool prefixes)
{
    if (prefixes && !m_started && (symbol == 'I' || symbol == 'Q')) {
        (symbol == 'I' ? m_inverse : m_root) = true;
        return true;
    }
    const bool digit = symbol >= '0' && symbol <= '9';
    if (!digit && (symbol != '.' || m_point))
        return false;
    m_started = true;
    if (symbol == '.')
        m_point = true;
    else if (!m_point)
        m_wholeModulo16 = (m_wholeModulo16 * 10 + (symbol - '0')) % 16;
    if (m_length < m_text.size())
        m_text[m_length++] = symbol;
    else if (digit && !m_point && m_extraDigits <= MaxExponent)
        ++m_extraDigits; // beyond MaxExponent the number is no double anyway
    return true;
}

double FractintTurtle::Number::value() const
{
    double value = 0.0;
    const auto [end, failure] = std::from_chars(m_text.data(), m_text.data() + m_length, value);
    if (failure != std::errc {} || end != m_text.data() + m_length)
        return 0.0;
    return m_extraDigits == 0 ? value : fpu::Checked(value * std::pow(10.0, m_extraDigits));
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
    if (m_command != 0)
        ApplyCommand();
}

const Direction& FractintTurtle::StepDirection()
{
    // The heading within half a turn either way of up, so that a turn back is exactly undone.
    std::int64_t turns = m_state.turns;
    if (m_period != 0 && 2 * turns > m_period)
        turns -= m_period;
    return m_direction(fpu::Checked(-static_cast<double>(turns) * m_angle));
}

void FractintTurtle::Forward(const Direction& direction, bool draws)
{
    const double endX = fpu::Checked(m_state.x + fpu::Checked(m_state.stepLength * direction.sine));
    const double endY
        = fpu::Checked(m_state.y + fpu::Checked(m_state.stepLength * direction.cosine));
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
    const char command = m_command;
    m_command = 0;
    // Headings are clockwise, so a left turn takes from them.
    const double leftward = m_state.swapped ? 1.0 : -1.0;
    switch (command) {
    case '@': {
        double factor = m_number.value();
        if (m_number.root())
            factor = std::sqrt(factor);
        if (m_number.inverse())
            factor = fpu::Divide(1.0, factor);
        m_state.stepLength = fpu::Checked(m_state.stepLength * factor);
        break;
    }
    case '\\':
        m_state.degrees = fpu::Checked(m_state.degrees + leftward * m_number.value());
        break;
    case '/':
        m_state.degrees = fpu::Checked(m_state.degrees - leftward * m_number.value());
        break;
    case 'C':
        m_state.colour = m_number.wholeModulo16();
        break;
    case '<':
        m_state.colour = (m_state.colour + m_number.wholeModulo16()) % 16;
        break;
    case '>':
        m_state.colour = (m_state.colour + 16 - m_number.wholeModulo16()) % 16;
        break;
    default:
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
