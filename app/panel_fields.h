#pragma once

#include "app/presets.h"

#include <cstdint>
#include <string>

namespace app {

// The bounds of the number of substitutions.
inline constexpr std::int32_t MinSubstitutions = 0;
inline constexpr std::int32_t MaxSubstitutions = 10;

// The control panel's fields and its checked preset: what Draw reads, what a preset fills in,
// what an L-system file holds and what the command line sets. Texts are UTF-8, exactly as
// typed; the members start with the values the panel shows at start.
struct PanelFields {
    std::string axiom = "F";
    std::string ruleF = "F+F--F+F";
    std::string ruleG = "G";
    std::string angle = "60";
    std::string length = "1/3";
    std::int32_t substCount = 2;
    std::string random = "0";
    std::string x1 = "-0.1";
    std::string x2 = "1.1";
    std::string y1 = "-0.5";
    std::string y2 = "0.7";
    Preset preset = Preset::KochCurve;

    friend bool operator==(const PanelFields&, const PanelFields&) = default;
};

} // namespace app
