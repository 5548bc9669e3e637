#pragma once

#include "app/core/record/preset.h"
#include "lsystem/walk/walk_style.h"
#include "plane/rgb.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace app {

struct PanelFields;

// Every preset, in the order of the panel's radio buttons.
std::span<const Preset> AllPresets();

// The caption of the preset's radio button, which also names it in files and on the command
// line ("Koch Curve", "Sierp. Curve 1", "Plant 4").
std::string_view PresetName(Preset preset);

// The preset whose caption is `name`, compared without regard to ASCII case; none for any
// other text.
std::optional<Preset> PresetFromName(std::string_view name);

// Fills `fields` as checking the preset's radio button fills the panel: the preset's texts
// and count, and the preset itself, and no more rules; the random amplitude and, where the
// preset has none, the count stay.
void ApplyPreset(Preset preset, PanelFields& fields);

// Koch curve, Koch island and the two Sierpinski curves; the rest are plants.
bool IsCurve(Preset preset);

// The colour a Draw gives the lines; none where the previous colour stays.
std::optional<plane::Rgb> LineColour(Preset preset, std::int32_t substCount);

// The pen width at the start of the walk.
std::int32_t StartPenWidth(Preset preset, std::int32_t substCount);

// The turn of each drawn segment (radians) and the pen narrowing for the walk.
lsystem::WalkStyle WalkStyleFor(Preset preset, std::int32_t substCount, plane::Rgb colour);

} // namespace app
