#include "app/core/session/fit_measure.h"

#include <utility>

namespace app {

FitMeasure::FitMeasure(const PreparedWalk& walk, const lsystem::RandomGenerator& random,
    std::function<void(const WorldWindow& bounds)> measured)
    : m_measured(std::move(measured))
    , m_random(random)
    , m_walk(walk.params, walk.style, m_random, m_bounds)
{
}

} // namespace app
