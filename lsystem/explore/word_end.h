#pragma once

#include "lsystem/explore/subfigure_bounds.h"
#include "lsystem/rules/rule_table.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lsystem {

// A point in units of one step, x to the right and y up, from a walk's start (heading up).
struct StepPoint {
    double x;
    double y;
};

// Where a turtle whose symbols have `effects` (the panel's unless told) ends its walk of `word`
// rewritten `count` times by `rules`, turning by `angle` degrees, without walking the rewritten
// word: each symbol that has a rule moves the turtle to its sub-figure's end (`bounds`, made for
// the same rules and angle), every other one does what its effect does. None where a sub-figure's
// end is not fixed or leaves a branch open.
std::optional<StepPoint> WordEnd(const std::string& word, const RuleTable& rules,
    const SubfigureBounds& bounds, double angle, std::int32_t count,
    const SymbolEffects& effects = PanelEffects);

} // namespace lsystem
