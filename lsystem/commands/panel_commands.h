#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace lsystem {

// What each symbol of a word means to the panel's turtle (CommandSet::Panel), written once as
// data. Every reader of such a word (the turtle, the lookahead thread, the Explore walk, the rule
// table, and EffectOf in panel_effects.h, which the sub-figures' bounds and pens read) switches on
// PanelCommand with no default, so that the compiler (-Wswitch) names the reader that forgets a
// command added here.
enum class PanelCommand : std::uint8_t {
    None, // an ordinary symbol: only rewritten; like every symbol but a step, it ends a run
    Step, // F, G: draws a step along the heading
    Move, // f: moves a step without drawing
    TurnLeft, // +: turns left by the angle (the heading, in degrees, falls)
    TurnRight, // -: turns right by the angle
    OpenBranch, // (: saves the turtle's state
    CloseBranch, // ): restores the last state saved, if any
};

// The command of a symbol, for every byte 0 to 255.
constexpr PanelCommand PanelCommandOfByte(unsigned char symbol)
{
    switch (symbol) {
    case 'F':
    case 'G':
        return PanelCommand::Step;
    case 'f':
        return PanelCommand::Move;
    case '+':
        return PanelCommand::TurnLeft;
    case '-':
        return PanelCommand::TurnRight;
    case '(':
        return PanelCommand::OpenBranch;
    case ')':
        return PanelCommand::CloseBranch;
    default:
        return PanelCommand::None;
    }
}

// The same as a table, so that the walks' loops look a symbol's command up with one load.
inline constexpr std::array<PanelCommand, 256> PanelCommandTable = [] {
    std::array<PanelCommand, 256> table {};
    for (std::size_t byte = 0; byte < table.size(); ++byte)
        table[byte] = PanelCommandOfByte(static_cast<unsigned char>(byte));
    return table;
}();

[[gnu::always_inline]] constexpr PanelCommand PanelCommandOf(char symbol)
{
    return PanelCommandTable[static_cast<unsigned char>(symbol)];
}

} // namespace lsystem
