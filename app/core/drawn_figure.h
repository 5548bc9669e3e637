#pragma once

#include "app/core/panel_fields.h"
#include "plane/rgb.h"

#include <cstdint>
#include <limits>
#include <string>

namespace app {

// What the plane remembers of one figure drawn since the last Clear, enough to draw it again
// at another size or as vectors: never anything that grows with the figure.
struct DrawnFigure {
    PanelFields fields;
    std::string decimalSeparator = "."; // the angle's separator when it was drawn
    std::uint32_t seed = 0; // the random generator's state when the walk began
    plane::Rgb colourBefore; // the line colour before this Draw (curves may keep it)
    // Symbols walked before Stop ended the figure; the largest value for a complete figure.
    std::uint64_t symbolsWalked = std::numeric_limits<std::uint64_t>::max();
};

} // namespace app
