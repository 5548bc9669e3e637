#pragma once

#include "lsystem/commands/panel_commands.h"
#include "lsystem/commands/symbol_effect.h"

#include <array>
#include <cstddef>

namespace lsystem {

// The panel's commands as effects (symbol_effect.h), for the sub-figures' compositions alone:
// kept out of panel_commands.h, which every walk's loop includes.

// A command's effect on the turtle, as the sub-figures' bounds and pens compose it.
constexpr SymbolEffect EffectOf(PanelCommand command)
{
    SymbolEffect effect;
    switch (command) {
    case PanelCommand::None:
        break;
    case PanelCommand::Step:
        effect.kind = EffectKind::Step;
        break;
    case PanelCommand::Move:
        effect.kind = EffectKind::Move;
        break;
    case PanelCommand::TurnLeft:
        effect = { EffectKind::Turn, 1 };
        break;
    case PanelCommand::TurnRight:
        effect = { EffectKind::Turn, -1 };
        break;
    case PanelCommand::OpenBranch:
        effect.kind = EffectKind::Open;
        break;
    case PanelCommand::CloseBranch:
        effect.kind = EffectKind::Close;
        break;
    }
    return effect;
}

// The effect of every byte of a table of the panel's commands.
constexpr SymbolEffects EffectsOf(const std::array<PanelCommand, 256>& table)
{
    SymbolEffects effects {};
    for (std::size_t byte = 0; byte < effects.size(); ++byte)
        effects[byte] = EffectOf(table[byte]);
    return effects;
}

inline constexpr SymbolEffects PanelEffects = EffectsOf(PanelCommandTable);

} // namespace lsystem
