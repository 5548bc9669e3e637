#pragma once

#include "lsystem/commands/panel_commands.h"

namespace lsystem {

// The dispatch of the panel's commands (panel_commands.h) to a walker of a word: the turtle and
// the lookahead thread; Fractint's turtle has commands of its own (fractint_turtle.h). What the
// rewriting does with a symbol is its rules' business (RuleTable).

// Whether the symbol draws a step. A run of them ends at any other symbol, which narrows the pen.
[[gnu::always_inline]] constexpr bool DrawsAStep(char symbol)
{
    return PanelCommandOf(symbol) == PanelCommand::Step;
}

// Walks one command with `walker`, which has Step(), Move(), TurnLeft(), TurnRight(),
// OpenBranch(), CloseBranch() and EndRun(), the last called before every command but a step.
// Inline, so that the dispatch is compiled into the walker's loop over the symbols.
template <class Walker>
[[gnu::always_inline]] inline void WalkCommand(PanelCommand command, Walker& walker)
{
    // Most symbols of most figures draw: they go first.
    if (command == PanelCommand::Step) {
        walker.Step();
        return;
    }
    walker.EndRun();
    switch (command) {
    case PanelCommand::Step: // walked above
    case PanelCommand::None:
        break;
    case PanelCommand::Move:
        walker.Move();
        break;
    case PanelCommand::TurnLeft:
        walker.TurnLeft();
        break;
    case PanelCommand::TurnRight:
        walker.TurnRight();
        break;
    case PanelCommand::OpenBranch:
        walker.OpenBranch();
        break;
    case PanelCommand::CloseBranch:
        walker.CloseBranch();
        break;
    }
}

// Walks one symbol with `walker`, as its command.
template <class Walker> [[gnu::always_inline]] inline void WalkSymbol(char symbol, Walker& walker)
{
    WalkCommand(PanelCommandOf(symbol), walker);
}

} // namespace lsystem
