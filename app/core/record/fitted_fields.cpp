#include "app/core/record/fitted_fields.h"

#include "app/core/record/prepared_draw.h"
#include "lsystem/turtle.h"

#include <limits>

namespace app {

std::optional<WindowTexts> FitFields(PanelFields& fields, const WorldWindow& bounds)
{
    const auto window = FitWindow(bounds);
    if (!window)
        return std::nullopt;
    const WindowTexts texts = FormatWindow(*window);
    SetWindow(fields, texts);
    return texts;
}

PanelFields FittedFields(PanelFields fields, std::uint32_t seed)
{
    // The line colour only colours the segments, which the measuring canvas ignores.
    const PreparedWalk walk = PrepareWalk(fields, {});
    lsystem::RandomGenerator random(seed);
    BoundsCanvas bounds;
    lsystem::TurtleWalk turtle(walk.params, walk.style, random, bounds);
    while (!turtle.Advance(std::numeric_limits<std::uint64_t>::max())) { }
    FitFields(fields, bounds.bounds());
    return fields;
}

} // namespace app
