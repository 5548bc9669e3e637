#pragma once

#include "plane/rgb.h"

#include <cstdint>
#include <optional>

namespace lsystem {

// What the checked preset decides for a walk.
struct WalkStyle {
    plane::Rgb colour; // line colour
    std::optional<double> rotation; // turn of each drawn segment, radians; none for most presets
    std::int32_t narrowing = 3; // pen narrowing at the end of a run of drawing symbols
};

} // namespace lsystem
