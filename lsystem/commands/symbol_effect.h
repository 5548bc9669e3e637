#pragma once

#include <array>
#include <cstdint>

namespace lsystem {

// What a symbol does to the turtle's position, heading and branches, whatever command set it
// belongs to: the part of its command that the sub-figures' bounds, pens and ends compose
// (SubfigureBounds, SubfigurePens, WordEnd). A command set gives the effect of every byte, made
// once from its table of commands (EffectsOf, switching on its commands with no default), and
// its figures are then bounded by the same compositions, with no loop of their own.
enum class EffectKind : std::uint8_t {
    None, // changes none of these: only rewritten; like every effect but a step, it ends a run
    Step, // draws a step along the heading
    Move, // moves a step along the heading without drawing
    Turn, // turns by `turns` angles to the left (the heading, in degrees, falls); right if < 0
    Open, // saves the turtle's state
    Close, // restores the last state saved, if any
};

struct SymbolEffect {
    EffectKind kind = EffectKind::None;
    std::int32_t turns = 0; // for a turn
};

using SymbolEffects = std::array<SymbolEffect, 256>;

} // namespace lsystem
