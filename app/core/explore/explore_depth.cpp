#include "app/core/explore/explore_depth.h"

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// One axis: the bounds `low` and `high`, in either order. A NaN bound never passes.
bool AxisShows(double low, double high)
{
    const double magnitude = std::max({ 1.0, std::fabs(low), std::fabs(high) });
    return std::fabs(high - low) >= ExploreNarrowest * magnitude;
}

} // namespace

bool ExploreShows(const WorldWindow& window)
{
    return AxisShows(window.x1, window.x2) && AxisShows(window.y1, window.y2);
}

} // namespace app
