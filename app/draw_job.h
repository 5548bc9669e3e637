#pragma once

#include "lsystem/draw_params.h"
#include "lsystem/turtle.h"

#include <chrono>
#include <cstdint>

namespace app {

// One walk under way, advanced a slice at a time by whoever drives it, so that the program can
// take input between slices: a Draw onto the plane, or a walk that only measures the figure.
// The walk copies the parameters; the generator and the canvas must outlive the job.
class DrawJob {
public:
    using Clock = std::chrono::steady_clock;

    DrawJob(const lsystem::DrawParams& params, const lsystem::WalkStyle& style,
        lsystem::RandomGenerator& random, lsystem::Canvas& canvas);

    // Walks on until the deadline has passed or the walk has finished; returns true when it has
    // finished. A fault of the walk is raised from here, the segments drawn before it staying.
    bool RunSlice(Clock::time_point deadline);

    std::uint64_t symbolsWalked() const { return m_walk.symbolsWalked(); }
    // The share of the word walked, 0 to 1.
    double progress() const;

private:
    lsystem::TurtleWalk m_walk;
};

} // namespace app
