#include "app/io/option_suggestion.h"

#include "app/core/text/typing_distance.h"
#include "app/io/command_line_options.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace app {

std::optional<QString> SuggestedOption(const QString& unknown)
{
    qsizetype dashes = 0;
    while (dashes < unknown.size() && unknown[dashes] == QLatin1Char('-'))
        ++dashes;
    const QString name = unknown.mid(dashes).section(QLatin1Char('='), 0, 0).toLower();
    if (name.isEmpty())
        return std::nullopt;
    const std::vector<CommandLineOption>& options = CommandLineOptions();
    for (const CommandLineOption& option : options) {
        if (option.name == name)
            return QStringLiteral("--") + option.name;
        if (option.shortName == name)
            return QStringLiteral("-") + option.shortName;
    }
    if (name.size() >= 3) {
        const auto begun
            = [&](const CommandLineOption& option) { return option.name.startsWith(name); };
        const auto first = std::find_if(options.begin(), options.end(), begun);
        if (first != options.end()
            && std::find_if(first + 1, options.end(), begun) == options.end())
            return QStringLiteral("--") + first->name;
    }
    // Up to two mistakes, and fewer than half the name's characters.
    const CommandLineOption* nearest = nullptr;
    std::size_t nearestDistance = std::min<std::size_t>(3, (name.size() + 1) / 2);
    for (const CommandLineOption& option : options) {
        const std::size_t distance = TypingDistance(name, option.name);
        if (distance < nearestDistance) {
            nearest = &option;
            nearestDistance = distance;
        }
    }
    if (!nearest)
        return std::nullopt;
    return QStringLiteral("--") + nearest->name;
}

} // namespace app
