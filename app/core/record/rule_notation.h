#pragma once

#include "lsystem/rules/command_set.h"

#include <optional>
#include <string>
#include <string_view>

namespace app {

// What a word typed for the panel's turtle most likely means other than it says, as a sentence
// to show at its field, or none: square brackets, which books print for branches and which the
// panel's turtle skips ("The panel writes branches with ( and ), not [ and ]."), or round
// brackets that do not balance ("The ( and ) do not balance."). Fractint's turtle writes its
// branches with square brackets, so its words get no hint. The word is drawn as it stands all
// the same.
std::optional<std::string> NotationHint(std::string_view word, lsystem::CommandSet commands);

} // namespace app
