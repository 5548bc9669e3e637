#pragma once

#include "lsystem/commands/panel_commands.h"

#include <array>

namespace lsystem {

// The table of commands as a walk keeps it, beside its own state: in the walk's loop a look-up
// then addresses the walk's object, whose address is in a register already, instead of holding
// one more register for the table's (position-independent code cannot index a global's address
// directly), which the busiest loops would have to reload from the stack.
class PanelCommandLookup {
public:
    [[gnu::always_inline]] PanelCommand operator()(char symbol) const
    {
        return m_table[static_cast<unsigned char>(symbol)];
    }

private:
    std::array<PanelCommand, 256> m_table = PanelCommandTable;
};

} // namespace lsystem
