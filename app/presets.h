#pragma once

#include "lsystem/turtle.h"
#include "plane/raster.h"

#include <cstdint>
#include <optional>
#include <string>

namespace app {

// The eight preset figures of the control panel's radio group.
enum class Preset {
    KochCurve,
    KochIsland,
    Sierpinski1,
    Sierpinski2,
    Plant1,
    Plant2,
    Plant3,
    Plant4
};

// The field texts a preset fills in. The angle is written with the user's decimal separator.
struct PresetFields {
    std::string axiom;
    std::string ruleF;
    std::string ruleG;
    std::string length;
    std::string angle;
    std::optional<int> substCount; // none: the preset leaves the spin field as it is
    std::string x1;
    std::string x2;
    std::string y1;
    std::string y2;
};

PresetFields PresetValues(Preset preset, const std::string& decimalSeparator);

// Koch curve, Koch island and the two Sierpinski curves; the rest are plants.
bool IsCurve(Preset preset);

// The colour a Draw gives the lines; none where the previous colour stays.
std::optional<plane::Rgb> LineColour(Preset preset, std::int32_t substCount);

// The pen width at the start of the walk.
std::int32_t StartPenWidth(Preset preset, std::int32_t substCount);

// The turn of each drawn segment (radians) and the pen narrowing for the walk.
lsystem::WalkStyle WalkStyleFor(Preset preset, std::int32_t substCount, plane::Rgb colour);

} // namespace app
