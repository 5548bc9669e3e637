#pragma once

#include "app/core/record/panel_fields.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/record/world_window.h"
#include "plane/rgb.h"

#include <cstdint>
#include <limits>

namespace app {

// What the plane remembers of one figure drawn since the last Clear, enough to draw it again
// at another size or as vectors: never anything that grows with the figure. Drawing it again
// reads none of its texts: it walks the numbers prepared from them when it was drawn.
struct DrawnFigure {
    PanelFields fields; // the texts it was drawn from, the angle with a point
    WorldWindow window; // the window it is shown in: its fields' until a zoom or a pan moves it
    PreparedWalk walk; // the walk's parameters and style, as its Draw prepared them
    std::uint32_t seed = 0; // the random generator's state when the walk began
    plane::Rgb colourBefore; // the line colour before this Draw (curves may keep it)
    // Symbols walked before Stop ended the figure; the largest value for a complete figure.
    std::uint64_t symbolsWalked = std::numeric_limits<std::uint64_t>::max();
};

// The record a Draw of these fields onto a planeSize × planeSize plane makes, its walk starting
// from `seed` after the line colour colourBefore. Raises the fields' errors as that Draw would.
DrawnFigure PrepareFigure(
    const PanelFields& fields, std::uint32_t seed, plane::Rgb colourBefore, int planeSize);

// The record of the figure with `count` substitutions (kept within 0 to 10) drawn from the same
// fields, seed and colour before, whole: one step of its growth. Raises the overflow of its
// step length.
DrawnFigure GrowthStep(const DrawnFigure& figure, std::int32_t count);

} // namespace app
