#pragma once

#include "app/core/record/panel_fields.h"

#include <string>
#include <vector>

namespace app {

// The fields the panel holds without an edit of their own: the more rules, the command set and
// the book's rules. It carries them from SetFields to ReadFields unchanged.
struct HeldFields {
    std::vector<RuleText> moreRules;
    lsystem::CommandSet commands = lsystem::CommandSet::Panel;
    std::vector<std::string> bookRules;

    void Take(const PanelFields& fields);
    void WriteInto(PanelFields& fields) const;
};

} // namespace app
