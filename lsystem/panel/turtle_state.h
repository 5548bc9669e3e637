#pragma once

#include "lsystem/walk/branch_limit.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace lsystem {

// The state of the panel's turtle and the operations of its commands that every walk of a word
// carries out alike (the turtle, BranchingTurtle, and the Explore walk, ExploreWalk): its
// position, heading and pen width, their narrowing, the moves and turns, and the states saved
// by open branches. How a step is drawn is each walk's own. Arithmetic that overflows or is not a
// number raises fpu::FloatingPointError, a branch opened beyond MaxBranchDepth BranchDepthError.
struct TurtleState {
    explicit TurtleState(std::int32_t startWidth);

    // A value, or the fault it stands for raised; the raising is kept out of line, so that a
    // check costs a comparison.
    [[gnu::always_inline]] static double Finite(double value)
    {
        return std::isfinite(value) ? value : RaiseFault(value);
    }

    // "f": moves by (alongX, alongY), a step along the heading, drawing nothing.
    void Move(double alongX, double alongY)
    {
        x = Finite(x + Finite(alongX));
        y = Finite(y + Finite(alongY));
    }
    // "+" and "-" turn by the angle in degrees, left making the heading fall.
    void TurnLeft(double angle) { heading = Finite(heading - angle); }
    void TurnRight(double angle) { heading = Finite(heading + angle); }
    // The end of a run of drawn steps. The width stops at the smallest 32-bit value instead of
    // wrapping round to a huge pen.
    [[gnu::always_inline]] void Narrow(std::int32_t narrowing)
    {
        std::int32_t narrowed;
        if (__builtin_sub_overflow(penWidth, narrowing, &narrowed))
            narrowed = narrowing > 0 ? std::numeric_limits<std::int32_t>::min()
                                     : std::numeric_limits<std::int32_t>::max();
        penWidth = narrowed;
    }
    // A width after `narrowings` (at most 2^32) narrowings, as as many calls of Narrow leave it.
    static std::int32_t Narrowed(
        std::int32_t width, std::int32_t narrowing, std::uint64_t narrowings);
    // "(" saves the state; raises BranchDepthError, changing nothing, when MaxBranchDepth
    // branches are open.
    void OpenBranch();
    // ")" restores the last state saved; without an open branch it leaves the turtle as it is and
    // returns false.
    bool CloseBranch()
    {
        if (m_branches.empty())
            return false;
        const Saved& saved = m_branches.back();
        x = saved.x;
        y = saved.y;
        heading = saved.heading;
        penWidth = saved.penWidth;
        m_branches.pop_back();
        return true;
    }

    double x = 0.0; // world position
    double y = 0.0;
    double heading = 0.0; // degrees, 0 along +y, growing clockwise
    std::int32_t penWidth;

private:
    [[gnu::cold, gnu::noinline]] static double RaiseFault(double value);

    struct Saved {
        double x;
        double y;
        double heading;
        std::int32_t penWidth;
    };
    std::vector<Saved> m_branches;
};

} // namespace lsystem
