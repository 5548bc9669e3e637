#pragma once

#include "lsystem/commands/panel_effects.h"
#include "lsystem/rules/rule_table.h"
#include "lsystem/walk/draw_params.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace lsystem {

// What the expansion of one symbol after a number of further substitutions (its sub-figure) can
// draw, as a turtle whose symbols have the given effects (symbol_effect.h) walks it, in units of
// one step and relative to the turtle's position and heading where the symbol starts.
struct SubfigureBound {
    static constexpr double Infinity = std::numeric_limits<double>::infinity();

    // Every point the sub-figure's segments pass through, and every position it reaches, lies
    // within radius of its start, whatever the heading: within radius * |StepLength| in the
    // world. The pen's half width is the caller's to add. Infinity where nothing is known.
    double radius = 0.0;
    // The end position's distance from the start is at most reach.
    double reach = 0.0;
    // Whether the end is the same for every choice among alternatives and every random value:
    // then the turtle ends at `along` steps ahead and `left` steps to the left of the start,
    // within endError steps, its heading turned by leftTurns times Angle to the left (the
    // turtle's heading, in degrees, falls by leftTurns * Angle). A sub-figure whose end is not
    // fixed has to be walked to know where it ends.
    bool endFixed = true;
    double along = 0.0;
    double left = 0.0;
    double endError = 0.0;
    std::int64_t leftTurns = 0;
    // Branches opened in it and left open at its end (saturating), whose saved states lie
    // within radius of its start.
    std::uint64_t opens = 0;
    // False where a ")" of the sub-figure may restore a state saved before it, or its open
    // branches differ between alternatives: then it has no bound (radius and reach are
    // infinite), and neither has any sub-figure that holds it.
    bool selfContained = true;
};

// The bounds of every sub-figure of an L-system, worked out from its rules once, level by level
// (a replacement's bound composes those of its symbols one level down), in time that depends on
// the rules and the number of levels, not on the length of the word. The basis for skipping the
// sub-figures that lie outside a view without walking them.
//
// The bounds are for the effects given, the panel's unless told; the bounds of params give a
// system for Fractint's turtle none (every sub-figure has the bound of nothing known). Radii grow
// exponentially with the level and may overflow: they then become infinity, which bounds nothing
// and is never wrong.
//
// Rounding: each radius, reach and error bound is rounded up by a relative slack far larger
// than the rounding of the few operations that make it, and the fixed ends carry a bound of
// their accumulated rounding, so the bounds contain the sub-figure as exact arithmetic draws it.
// The walk's own rounding, which grows with the world coordinates and the number of symbols
// walked, is the caller's to allow for with the pen's width.
class SubfigureBounds {
public:
    // The bounds for `rules` turning by `angle` degrees, for 0 to maxRemaining further
    // substitutions, each symbol having its effect in `effects`. `amplitude` is the random
    // amplitude in steps (|RandomAmp| / |StepLength|): where it is not 0, no drawn step has a
    // fixed end.
    SubfigureBounds(const RuleTable& rules, double angle, double amplitude,
        std::int32_t maxRemaining, const SymbolEffects& effects = PanelEffects);
    // The bounds of the system of params (its rules, Angle, RandomAmp and StepLength).
    SubfigureBounds(const DrawParams& params, std::int32_t maxRemaining);

    // The bound of `symbol` after `remaining` further substitutions, 0 <= remaining <=
    // maxRemaining(); a symbol without a rule is itself at every level.
    const SubfigureBound& Of(char symbol, std::int32_t remaining) const;
    std::int32_t maxRemaining() const { return m_maxRemaining; }

private:
    std::int32_t m_maxRemaining;
    bool m_known = true; // false for Fractint's turtle
    std::array<SubfigureBound, 256> m_plain; // each symbol as itself
    // The place of each symbol with a rule among m_symbols, or -1.
    std::array<std::int16_t, 256> m_slot;
    std::size_t m_symbols = 0;
    std::vector<SubfigureBound> m_levels; // level * m_symbols + slot
};

} // namespace lsystem
