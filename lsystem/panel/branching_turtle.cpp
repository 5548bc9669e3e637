#include "lsystem/panel/branching_turtle.h"

#include "fpu/floating_point_error.h"

#include <bit>
#include <cmath>
#include <initializer_list>

namespace lsystem {

namespace {

[[gnu::cold]] void RaiseFirstFault(std::initializer_list<double> values)
{
    for (const double value : values)
        fpu::Checked(value);
}

} // namespace

BranchingTurtle::BranchingTurtle(
    const DrawParams& params, const WalkStyle& style, RandomGenerator& random, Canvas& canvas)
    : m_angle(params.Angle)
    , m_stepLength(params.StepLength)
    , m_amplitude(params.RandomAmp)
    , m_style(style)
    , m_drawsRuns(params.RandomAmp == 0.0 && !style.rotation)
    , m_random(random)
    , m_canvas(canvas)
    , m_state(params.PenWidth)
{
    if (m_style.rotation) {
        m_rotation = plane::RotationMatrix(*m_style.rotation);
        m_turnedPosition = plane::MultiplyPoint({ 0.0, 0.0, 1.0 }, m_rotation);
        m_turnedPositionKept = true;
    }
}

void BranchingTurtle::RaiseStepFault()
{
    const Direction& direction = m_direction(m_state.heading);
    const double step = m_stepLength;
    RaiseFirstFault({ step, step * direction.sine, m_state.x + step * direction.sine,
        step * direction.cosine, m_state.y + step * direction.cosine });
}

void BranchingTurtle::DrawPerturbedStep()
{
    const double amplitude = m_amplitude;
    const double step = m_stepLength;
    // The six values, each from the state before them, so that none waits for another.
    const double r1 = m_random.Peek<1>();
    const double r2 = m_random.Peek<2>();
    const double r3 = m_random.Peek<3>();
    const double r4 = m_random.Peek<4>();
    const double r5 = m_random.Peek<5>();
    const double r6 = m_random.Peek<6>();
    m_random.Skip<6>();
    // Perturbed angles hardly ever repeat, so they are not looked up among the remembered.
    const PerturbedAngles angles = PerturbedAnglesOf(m_state.heading, r3, r6, amplitude);
    double sine;
    double cosine;
    if (m_lookahead == nullptr
        || !m_lookahead->Take(m_perturbedSteps, angles.x, angles.y, sine, cosine)) {
        sine = std::sin(angles.x);
        cosine = std::cos(angles.y);
    }
    ++m_perturbedSteps;
    const double x0 = m_state.x + (r1 - 0.5) * amplitude;
    const double lengthX = step + (r2 - 0.5) * amplitude;
    const double alongX = lengthX * sine;
    const double endX = x0 + alongX;
    const double y0 = m_state.y + (r4 - 0.5) * amplitude;
    const double lengthY = step + (r5 - 0.5) * amplitude;
    const double alongY = lengthY * cosine;
    const double endY = y0 + alongY;
    // Every value above is checked in the order it is made, so that an overflow is reported as
    // one and not as the invalid operation that its infinity leads to later. An infinity or a
    // NaN stays in the end point made from it, so finite end points mean none faulted.
    if (!BothFinite(endX, endY)) [[unlikely]]
        RaiseFirstFault({ x0, lengthX, alongX, endX, y0, lengthY, alongY, endY });
    InPlace state = inPlace();
    SegmentTo(state, endX, endY);
}

void BranchingTurtle::DrawRun(std::size_t count)
{
    const StepAlong along = StepAlongHeading();
    InRegisters state { *this, m_random, m_state.x, m_state.y, m_segmentsDrawn, m_batched,
        m_positionHeld, m_batchWindow };
    for (; state.steps != count; ++state.steps)
        PlainStep(state, along);
    state.StoreBack();
}

void BranchingTurtle::MoveStep()
{
    const StepAlong& along = StepAlongHeading();
    m_state.Move(along.x, along.y);
    m_turnedPositionKept = false;
    m_positionHeld = false;
}

void BranchingTurtle::CloseBranch()
{
    if (!m_state.CloseBranch())
        return;
    m_turnedPositionKept = false;
    m_positionHeld = false;
}

} // namespace lsystem
