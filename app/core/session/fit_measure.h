#pragma once

#include "app/core/jobs/session_job.h"
#include "app/core/jobs/sliced_walk.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/record/world_window.h"
#include "lsystem/walk/random_generator.h"

#include <functional>

namespace app {

// Fit's walk: measures the figure without drawing it, with a copy of the session's generator so
// that the random sequence stays where it is, and hands its bounds to `measured` when done.
class FitMeasure final : public SessionJob {
public:
    FitMeasure(const PreparedWalk& walk, const lsystem::RandomGenerator& random,
        std::function<void(const WorldWindow& bounds)> measured);

    bool RunSlice(Clock::time_point deadline) override { return m_walk.RunSlice(deadline); }
    double progress() const override { return m_walk.progress(); }
    void Finish() override { m_measured(m_bounds.bounds()); }

private:
    std::function<void(const WorldWindow&)> m_measured;
    lsystem::RandomGenerator m_random;
    BoundsCanvas m_bounds;
    SlicedWalk m_walk;
};

} // namespace app
