#pragma once

#include "lsystem/commands/panel_commands.h"

#include <string>

namespace lsystem {

// A rule beyond the F and G rules of DrawParams: what replaces `symbol` at each rewriting. A
// symbol with several rules has them as alternatives: at every rewriting of every occurrence one
// is chosen, each with probability weight / (the sum of the symbol's weights). The F and G rules
// of DrawParams weigh 1 and come before the alternatives given here. Rules for "+", "-", "(" and
// ")", which the walk reads as commands, are not rules the engine applies: it leaves them out.
struct Rule {
    char symbol = 0;
    double weight = 1.0; // positive and finite
    std::string replacement;

    friend bool operator==(const Rule&, const Rule&) = default;
};

// Whether a rule may be given for `symbol`: every symbol but the panel's turns and branches,
// which the walk reads as commands whatever the rules say (Fractint's words too are rewritten by
// this one rule table).
constexpr bool MayHaveRule(char symbol)
{
    switch (PanelCommandOf(symbol)) {
    case PanelCommand::None:
    case PanelCommand::Step:
    case PanelCommand::Move:
        return true;
    case PanelCommand::TurnLeft:
    case PanelCommand::TurnRight:
    case PanelCommand::OpenBranch:
    case PanelCommand::CloseBranch:
        return false;
    }
    return false;
}

} // namespace lsystem
