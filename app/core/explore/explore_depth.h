#pragma once

#include "app/core/record/panel_fields.h"
#include "app/core/record/world_window.h"

#include <optional>
#include <string>

namespace app {

// How deep Explore zooms: down to windows narrower, on either axis, than this times the larger
// of 1 and the magnitude of their bounds on that axis, and no further. A column is
// ScaleX * x + OffsetX, whose terms are then below PlaneSize * 2^40 < 2^50 pixels, so that their
// rounding stays within 2^-3 of a pixel and neighbouring pixels keep apart. The floor of 1 stands
// for the figure's own scale, about the window fields': a turtle position near the origin is a
// sum of such steps and carries their rounding, however small it is.
inline constexpr double ExploreNarrowest = 0x1p-40;

// Whether Explore may show `window`: neither axis narrower than ExploreNarrowest allows.
bool ExploreShows(const WorldWindow& window);

// Why Explore cannot show the fields as they ask, where it cannot: a count beyond Draw's limit
// for a figure that Explore walks whole (one its view-adapted walk does not handle: a random
// amplitude, alternatives, Fractint's turtle or a widening pen), whose walk would never end; or,
// where `windowGiven`, a window ExploreShows refuses. Fields that fail to prepare are not judged
// here: drawing them reports their error.
std::optional<std::string> ExploreRefusal(const PanelFields& fields, bool windowGiven);

} // namespace app
