#include "app/core/record/rule_notation.h"

namespace app {

std::optional<std::string> NotationHint(std::string_view word, lsystem::CommandSet commands)
{
    if (commands != lsystem::CommandSet::Panel)
        return std::nullopt;
    if (word.find_first_of("[]") != std::string_view::npos)
        return "The panel writes branches with ( and ), not [ and ].";
    long depth = 0;
    for (const char symbol : word) {
        depth += symbol == '(' ? 1 : symbol == ')' ? -1 : 0;
        if (depth < 0)
            break;
    }
    if (depth != 0)
        return "The ( and ) do not balance.";
    return std::nullopt;
}

} // namespace app
