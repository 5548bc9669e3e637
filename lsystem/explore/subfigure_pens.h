#pragma once

#include "lsystem/commands/panel_effects.h"
#include "lsystem/rules/rule_table.h"

#include <array>
#include <cstdint>
#include <vector>

namespace lsystem {

// What a sub-figure (a symbol's expansion after a number of further substitutions) does to the
// panel's pen, for a walk that passes over it: how many times it narrows the pen, net of the
// widths its branches restore, and whether a narrowing is due when it ends. Both depend on
// whether a narrowing was due when it began, since a sub-figure that starts with a step
// continues the run before it. Worked out only for sub-figures whose branches all close within
// them; a narrowing is due after a drawn step, until the next symbol that does not draw.
struct SubfigurePen {
    bool known = false; // false where a branch of it stays open or closes one opened before it
    bool draws = false; // whether it draws a step at all
    double steps = 0.0; // how many steps it draws (F and G), as a double: it may be past 2^64
    struct Effect {
        std::uint64_t narrowings = 0; // saturating at MaxNarrowings
        bool dueAtEnd = false;
    };
    std::array<Effect, 2> effect {}; // indexed by whether a narrowing is due at its start

    static constexpr std::uint64_t MaxNarrowings = std::uint64_t { 1 } << 32;
};

// The pens of every sub-figure of an L-system's rules for 0 to maxRemaining further
// substitutions, level by level, in time that depends on the rules only.
class SubfigurePens {
public:
    SubfigurePens(const RuleTable& rules, std::int32_t maxRemaining,
        const SymbolEffects& effects = PanelEffects);

    // The pen of `symbol` after `remaining` further substitutions; a symbol without a rule is
    // itself at every level. Alternatives are not told apart: each symbol's first rule counts.
    const SubfigurePen& Of(char symbol, std::int32_t remaining) const;

private:
    std::array<SubfigurePen, 256> m_plain;
    std::array<std::int16_t, 256> m_slot; // the symbol's place among the rules' symbols, or -1
    std::size_t m_symbols = 0;
    std::vector<SubfigurePen> m_levels; // level * m_symbols + slot
};

} // namespace lsystem
