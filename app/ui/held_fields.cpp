#include "app/ui/held_fields.h"

namespace app {

void HeldFields::Take(const PanelFields& fields)
{
    moreRules = fields.moreRules;
    commands = fields.commands;
    bookRules = fields.bookRules;
}

void HeldFields::WriteInto(PanelFields& fields) const
{
    fields.moreRules = moreRules;
    fields.commands = commands;
    fields.bookRules = bookRules;
}

} // namespace app
