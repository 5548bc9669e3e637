#pragma once

#include "lsystem/turtle.h"
#include "lsystem/walk/draw_params.h"

#include <chrono>
#include <cstdint>
#include <limits>

namespace app {

// One walk under way, advanced a slice at a time, so that the program can take input between
// slices: a Draw onto the plane, a figure drawn again, or a walk that only measures the figure.
// The walk copies the parameters; the generator and the canvas must outlive it.
class SlicedWalk {
public:
    using Clock = std::chrono::steady_clock;

    // The walk ends at the end of the word or after `symbolLimit` symbols.
    SlicedWalk(const lsystem::DrawParams& params, const lsystem::WalkStyle& style,
        lsystem::RandomGenerator& random, lsystem::Canvas& canvas,
        std::uint64_t symbolLimit = std::numeric_limits<std::uint64_t>::max());

    // Walks on until the deadline has passed or the walk has finished; returns true when it has
    // finished. A fault of the walk is raised from here, the segments drawn before it staying.
    bool RunSlice(Clock::time_point deadline);
    // Walks on for at most `symbols` symbols; returns true when the walk has finished.
    bool Advance(std::uint64_t symbols);

    // Whether the walk has reached the end of the word or the limit.
    bool finished() const { return m_walk.finished() || m_walk.symbolsWalked() >= m_symbolLimit; }
    std::uint64_t symbolsWalked() const { return m_walk.symbolsWalked(); }
    // The symbols of the whole word, whatever the limit (saturating at UINT64_MAX).
    std::uint64_t symbolCount() const { return m_walk.symbolCount(); }
    std::uint64_t segmentsDrawn() const { return m_walk.segmentsDrawn(); }
    // The share of the word up to the limit walked, 0 to 1.
    double progress() const;

private:
    lsystem::TurtleWalk m_walk;
    std::uint64_t m_symbolLimit;
};

} // namespace app
