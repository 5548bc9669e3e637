#pragma once

#include "app/core/record/world_window.h"

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

} // namespace app
