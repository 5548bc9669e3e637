#pragma once

#include "lsystem/panel/trig_lookahead.h"
#include "lsystem/panel/turtle_state.h"
#include "lsystem/walk/canvas.h"
#include "lsystem/walk/draw_params.h"
#include "lsystem/walk/random_generator.h"
#include "lsystem/walk/remembered_direction.h"
#include "lsystem/walk/walk_style.h"
#include "plane/transforms.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace lsystem {

// The turtle of one walk: its state (TurtleState: position, heading, pen width, the states saved
// by open branches) and the steps it draws onto the canvas. It copies Angle, StepLength, RandomAmp
// and the starting PenWidth of params when it is made. Arithmetic that overflows or is not a number
// raises fpu::FloatingPointError.
class BranchingTurtle {
public:
    BranchingTurtle(
        const DrawParams& params, const WalkStyle& style, RandomGenerator& random, Canvas& canvas);

    // Six random values r1..r6 perturb the step: the x and the y of the end point take separate
    // length and angle perturbations, each (r - 0.5) * RandomAmp. Inline, for the walk's loop
    // over the symbols: most figures draw a step every other symbol.
    [[gnu::always_inline]] void DrawStep()
    {
        if (m_amplitude != 0.0) {
            DrawPerturbedStep();
            return;
        }
        InPlace state = inPlace();
        PlainStep(state, StepAlongHeading());
    }
    // Sines and cosines of perturbed steps worked out ahead, or none.
    void SetLookahead(TrigLookahead* lookahead) { m_lookahead = lookahead; }
    // Whether DrawRun can stand for DrawStep: with no random amplitude and no turn of the figure.
    bool drawsRuns() const { return m_drawsRuns; }
    // DrawStep `count` times: a run of steps has one heading, and its position, generator and
    // batch stay in registers between the steps. Everything is stored back before anything that
    // may raise an error; runStepsDrawn() then tells how many steps were drawn before it.
    void DrawRun(std::size_t count);
    std::size_t runStepsDrawn() const { return m_runStepsDrawn; }
    void MoveStep();
    void TurnLeft() { m_state.TurnLeft(m_angle); }
    void TurnRight() { m_state.TurnRight(m_angle); }
    // The end of a run of drawing symbols.
    void Narrow() { m_state.Narrow(m_style.narrowing); }
    void OpenBranch() { m_state.OpenBranch(); }
    void CloseBranch();

    // The walk calls these around every stretch it walks: segments in the canvas's batch window
    // are kept back while it walks and handed over together, all of them by the end.
    void BeginBatches()
    {
        m_batchWindow = m_canvas.batchWindow();
        m_positionHeld = false;
    }
    void FlushBatch()
    {
        if (m_batched != 0) {
            m_canvas.DrawSegments(m_batch.data(), m_batched, m_style.colour);
            m_batched = 0;
        }
    }

    std::int32_t penWidth() const { return m_state.penWidth; }
    // Segments handed to the canvas, the one whose drawing raised a fault among them.
    std::uint64_t segmentsDrawn() const { return m_segmentsDrawn; }

private:
    // Whether neither value is an infinity or a NaN, in one comparison: a - a is 0 for a finite
    // a and a NaN otherwise, and a NaN stays in the sum.
    [[gnu::always_inline]] static bool BothFinite(double a, double b)
    {
        return (a - a) + (b - b) == 0.0;
    }
    // MultiplyPoint of (x, y, 1) by the rotation, bit for bit, with its zero terms left out: the
    // matrix has third column (0, 0, 1) and third row (0, 0, 1), so the product's w is
    // ((0 + x * 0) + y * 0) + 1 * 1 = 1 for a finite point and no quotient is taken, and each of
    // x and y is ((0 + a) + b) + 0, which is (a + b) + 0 for every sign of every zero.
    [[gnu::always_inline]] plane::TVector3 Turned(double x, double y) const
    {
        const plane::TMatrix3& m = m_rotation;
        const double turnedX = (x * m.m[0][0] + y * m.m[1][0]) + 0.0;
        const double turnedY = (x * m.m[0][1] + y * m.m[1][1]) + 0.0;
        if (!BothFinite(turnedX, turnedY)) [[unlikely]]
            return plane::MultiplyPoint({ x, y, 1.0 }, m);
        return { turnedX, turnedY, 1.0 };
    }
    void DrawPerturbedStep();
    // Raises the fault of the unperturbed step from the turtle's position along its heading.
    [[gnu::cold]] void RaiseStepFault();
    // The unperturbed step along the heading, step * sine and step * cosine, kept for the
    // heading it was worked out for: runs of steps between turns share it.
    struct StepAlong {
        // A heading is never a NaN, so the first look-up works the step out.
        std::uint64_t headingBits
            = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN());
        double x = 0.0;
        double y = 0.0;
    };
    const StepAlong& StepAlongHeading()
    {
        const auto bits = std::bit_cast<std::uint64_t>(m_state.heading);
        if (bits != m_stepAlong.headingBits) [[unlikely]] {
            const Direction& direction = m_direction(m_state.heading);
            m_stepAlong = { bits, m_stepLength * direction.sine, m_stepLength * direction.cosine };
        }
        return m_stepAlong;
    }

    // Where the state that steps change lives while they are drawn: in the turtle for a single
    // step, in registers for a run of steps. A run is never turned, and stores its state back
    // before anything that may raise an error or hand segments over.
    struct InPlace {
        static constexpr bool MayTurn = true;
        RandomGenerator& random;
        double& x;
        double& y;
        std::uint64_t& segments;
        std::size_t& batched;
        bool& positionHeld;
        const BatchWindow& window;
        void StoreBack() const { }
    };
    InPlace inPlace()
    {
        return { m_random, m_state.x, m_state.y, m_segmentsDrawn, m_batched, m_positionHeld,
            m_batchWindow };
    }
    struct InRegisters {
        static constexpr bool MayTurn = false;
        BranchingTurtle& turtle;
        RandomGenerator random;
        double x;
        double y;
        std::uint64_t segments;
        std::size_t batched;
        bool positionHeld;
        // A copy, which the stores of the batch cannot be changing for all the compiler knows.
        const BatchWindow window;
        std::size_t steps = 0; // drawn before the one under way
        void StoreBack() const
        {
            turtle.m_random = random;
            turtle.m_state.x = x;
            turtle.m_state.y = y;
            turtle.m_positionHeld = positionHeld;
            turtle.m_segmentsDrawn = segments;
            turtle.m_batched = batched;
            turtle.m_runStepsDrawn = steps;
        }
    };

    // The unperturbed step: every perturbation (r - 0.5) * A is then a zero of either sign, and
    // adding it leaves a nonzero value as it is. A zero step or angle may come out with another
    // sign, but then it only makes the cosine 1 or a zero term added to the position, and a
    // position is never -0 (it starts at +0, and a sum is -0 only when both terms are): the end
    // point is the unperturbed one, bit for bit. The six values are taken all the same. The one
    // routine behind a single step and a run of them.
    template <class State>
    [[gnu::always_inline]] void PlainStep(State& state, const StepAlong& along)
    {
        state.random.template Skip<6>();
        const double endX = state.x + along.x;
        const double endY = state.y + along.y;
        if (!BothFinite(endX, endY)) [[unlikely]] {
            state.StoreBack();
            RaiseStepFault();
        }
        SegmentTo(state, endX, endY);
    }
    // Hands the canvas the segment from the turtle's position to the end point, turned when
    // the style turns its figure, and moves the turtle there. Inline, so that the position is
    // stored as the step loads it: a pair of doubles stored one by one and loaded as one waits
    // for the stores.
    template <class State>
    [[gnu::always_inline]] void SegmentTo(State& state, double endX, double endY)
    {
        ++state.segments;
        if (State::MayTurn && m_style.rotation) {
            const plane::TVector3 turnedStart
                = m_turnedPositionKept ? m_turnedPosition : Turned(state.x, state.y);
            const plane::TVector3 turnedEnd = Turned(endX, endY);
            m_turnedPosition = turnedEnd;
            m_turnedPositionKept = true;
            HandOver(state, turnedStart, turnedEnd);
        } else {
            HandOver(state, { state.x, state.y, 1.0 }, { endX, endY, 1.0 });
        }
        state.x = endX;
        state.y = endY;
    }
    // Keeps a segment back for the batch, or draws it at once after those kept back.
    template <class State>
    [[gnu::always_inline]] void HandOver(
        State& state, const plane::TVector3& start, const plane::TVector3& end)
    {
        // The start is usually the end handed over before, already found in the window.
        const bool startHeld
            = state.positionHeld || (start.w == 1.0 && state.window.Holds(start.x, start.y));
        const bool endHeld = end.w == 1.0 && state.window.Holds(end.x, end.y);
        state.positionHeld = endHeld;
        if (startHeld && endHeld) [[likely]] {
            m_batch[state.batched] = { start.x, start.y, end.x, end.y, m_state.penWidth };
            if (++state.batched == BatchSize) {
                state.StoreBack();
                FlushBatch();
                state.batched = 0;
            }
            return;
        }
        state.StoreBack();
        FlushBatch();
        state.batched = 0;
        m_canvas.DrawSegment(start, end, m_style.colour, m_state.penWidth);
    }

    // Copied from params: the walk owns them, and the steps read them without a detour.
    const double m_angle;
    const double m_stepLength;
    const double m_amplitude;
    const WalkStyle m_style;
    const bool m_drawsRuns;
    TrigLookahead* m_lookahead = nullptr;
    std::uint64_t m_perturbedSteps = 0; // perturbed steps begun, for the lookahead
    std::size_t m_runStepsDrawn = 0;
    RandomGenerator& m_random;
    Canvas& m_canvas;
    TurtleState m_state;
    std::uint64_t m_segmentsDrawn = 0;
    RememberedDirection m_direction;
    StepAlong m_stepAlong;
    // Segments kept back for the canvas, at most BatchSize: few enough to stay in the nearest
    // cache, many enough that the call for them costs nothing.
    static constexpr std::size_t BatchSize = 64;
    BatchWindow m_batchWindow;
    std::array<BatchedSegment, BatchSize> m_batch;
    std::size_t m_batched = 0;
    // A step usually starts where the one before ended, so the turned end point is kept for it.
    plane::TMatrix3 m_rotation;
    // The position turned, while it is the end of the last step drawn (or the start): a step
    // usually starts where the one before ended.
    plane::TVector3 m_turnedPosition;
    bool m_turnedPositionKept = false;
    // Whether the position (turned) is the end last handed over and lay in the batch window.
    bool m_positionHeld = false;
};

} // namespace lsystem
