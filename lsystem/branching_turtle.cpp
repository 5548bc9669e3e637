#include "lsystem/branching_turtle.h"

#include "fpu/floating_point_error.h"

#include <bit>
#include <cmath>
#include <initializer_list>

namespace lsystem {

namespace {

constexpr double DegreesToRadians = RememberedDirection::DegreesToRadians;
constexpr std::size_t ReservedBranches = 256; // open branches held without reallocating

[[gnu::cold]] void RaiseFirstFault(std::initializer_list<double> values)
{
    for (const double value : values)
        fpu::Checked(value);
}

bool SamePoint(const plane::TVector3& a, double x, double y)
{
    return std::bit_cast<std::uint64_t>(a.x) == std::bit_cast<std::uint64_t>(x)
        && std::bit_cast<std::uint64_t>(a.y) == std::bit_cast<std::uint64_t>(y);
}

} // namespace

BranchingTurtle::BranchingTurtle(
    const DrawParams& params, const WalkStyle& style, RandomGenerator& random, Canvas& canvas)
    : m_angle(params.Angle)
    , m_stepLength(params.StepLength)
    , m_amplitude(params.RandomAmp)
    , m_style(style)
    , m_random(random)
    , m_canvas(canvas)
    , m_penWidth(params.PenWidth)
{
    m_branches.reserve(ReservedBranches);
    if (m_style.rotation) {
        m_rotation = plane::RotationMatrix(*m_style.rotation);
        m_lastTurnedEnd = plane::MultiplyPoint(m_lastEnd, m_rotation);
    }
}

double BranchingTurtle::CheckedOutOfLine(double value)
{
    return fpu::Checked(value);
}

// MultiplyPoint of (x, y, 1) by the rotation, bit for bit, with its zero terms left out: the
// matrix has third column (0, 0, 1) and third row (0, 0, 1), so the product's w is
// ((0 + x * 0) + y * 0) + 1 * 1 = 1 for a finite point and no quotient is taken, and each of x
// and y is ((0 + a) + b) + 0, which is (a + b) + 0 for every sign of every zero.
plane::TVector3 BranchingTurtle::Turned(double x, double y) const
{
    const plane::TMatrix3& m = m_rotation;
    const double turnedX = (x * m.m[0][0] + y * m.m[1][0]) + 0.0;
    const double turnedY = (x * m.m[0][1] + y * m.m[1][1]) + 0.0;
    if (!std::isfinite(turnedX) || !std::isfinite(turnedY)) [[unlikely]]
        return plane::MultiplyPoint({ x, y, 1.0 }, m);
    return { turnedX, turnedY, 1.0 };
}

void BranchingTurtle::DrawStep()
{
    const double amplitude = m_amplitude;
    const double step = m_stepLength;
    double endX;
    double endY;
    if (amplitude == 0.0) {
        // Every perturbation (r - 0.5) * A is then a zero of either sign, and adding it leaves
        // a nonzero value as it is. A zero step or angle may come out with another sign, but
        // then it only makes the cosine 1 or a zero term added to the position, and a position
        // is never -0 (it starts at +0, and a sum is -0 only when both terms are): the end point
        // is the unperturbed one, bit for bit. The six values are taken all the same.
        m_random.Skip<6>();
        const Direction& direction = m_direction(m_heading);
        endX = m_x + step * direction.sine;
        endY = m_y + step * direction.cosine;
        if (!std::isfinite(endX) || !std::isfinite(endY)) [[unlikely]]
            RaiseFirstFault({ step, step * direction.sine, endX, step * direction.cosine, endY });
    } else {
        const double theta = m_heading * DegreesToRadians;
        const double r1 = m_random.Next();
        const double r2 = m_random.Next();
        const double r3 = m_random.Next();
        const double r4 = m_random.Next();
        const double r5 = m_random.Next();
        const double r6 = m_random.Next();
        const double x0 = m_x + (r1 - 0.5) * amplitude;
        const double lengthX = step + (r2 - 0.5) * amplitude;
        // Perturbed angles hardly ever repeat, so they are not looked up among the remembered.
        const double alongX = lengthX * std::sin((r3 - 0.5) * amplitude + theta);
        endX = x0 + alongX;
        const double y0 = m_y + (r4 - 0.5) * amplitude;
        const double lengthY = step + (r5 - 0.5) * amplitude;
        const double alongY = lengthY * std::cos((r6 - 0.5) * amplitude + theta);
        endY = y0 + alongY;
        // Every value above is checked in the order it is made, so that an overflow is reported
        // as one and not as the invalid operation that its infinity leads to later. An infinity
        // or a NaN stays in the end point made from it, so finite end points mean none faulted.
        if (!std::isfinite(endX) || !std::isfinite(endY)) [[unlikely]]
            RaiseFirstFault({ x0, lengthX, alongX, endX, y0, lengthY, alongY, endY });
    }

    ++m_segmentsDrawn;
    if (m_style.rotation) {
        const plane::TVector3 end { endX, endY, 1.0 };
        const plane::TVector3 turnedStart
            = SamePoint(m_lastEnd, m_x, m_y) ? m_lastTurnedEnd : Turned(m_x, m_y);
        const plane::TVector3 turnedEnd = Turned(endX, endY);
        m_lastEnd = end;
        m_lastTurnedEnd = turnedEnd;
        m_canvas.DrawSegment(turnedStart, turnedEnd, m_style.colour, m_penWidth);
    } else {
        m_canvas.DrawSegment({ m_x, m_y, 1.0 }, { endX, endY, 1.0 }, m_style.colour, m_penWidth);
    }
    m_x = endX;
    m_y = endY;
}

void BranchingTurtle::MoveStep()
{
    const Direction& direction = m_direction(m_heading);
    m_x = Finite(m_x + Finite(m_stepLength * direction.sine));
    m_y = Finite(m_y + Finite(m_stepLength * direction.cosine));
}

void BranchingTurtle::OpenBranch()
{
    if (m_branches.size() == MaxBranchDepth)
        throw BranchDepthError();
    m_branches.push_back({ m_x, m_y, m_heading, m_penWidth });
}

void BranchingTurtle::CloseBranch()
{
    if (m_branches.empty())
        return;
    const SavedState& saved = m_branches.back();
    m_x = saved.x;
    m_y = saved.y;
    m_heading = saved.heading;
    m_penWidth = saved.penWidth;
    m_branches.pop_back();
}

} // namespace lsystem
