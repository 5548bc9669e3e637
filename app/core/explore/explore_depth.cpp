#include "app/core/explore/explore_depth.h"

#include "app/core/record/prepared_draw.h"
#include "lsystem/explore/explore_walk.h"

#include <algorithm>
#include <cmath>
#include <exception>

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

std::optional<std::string> ExploreRefusal(const PanelFields& fields, bool windowGiven)
{
    try {
        const PreparedWalk walk = PrepareWalk(fields, plane::Rgb {});
        if (fields.substCount > MaxSubstitutions
            && !lsystem::ExploreWalk::Handles(walk.params, walk.style)) {
            return "Explore walks a figure with a random amplitude, alternative rules, Fractint's "
                   "commands or a widening pen whole, at most "
                + std::to_string(MaxSubstitutions) + " substitutions, not "
                + std::to_string(fields.substCount);
        }
        if (windowGiven && !ExploreShows(PrepareView(fields, 1).window)) {
            return "Explore shows no window narrower on either axis than 2^-40 (about 9.1e-13) "
                   "times the larger of 1 and its bounds' magnitude";
        }
    } catch (const std::exception&) {
        // Drawing the fields reports why they fail.
    }
    return std::nullopt;
}

} // namespace app
