#include "app/io/option_suggestion.h"

#include "app/io/command_line_options.h"

#include <algorithm>
#include <vector>

namespace app {

namespace {

// The typing mistakes that turn one name into the other: characters left out, added or changed,
// and two neighbours swapped (each swap one mistake).
qsizetype TypingDistance(const QString& a, const QString& b)
{
    std::vector<std::vector<qsizetype>> d(a.size() + 1, std::vector<qsizetype>(b.size() + 1));
    for (qsizetype i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (qsizetype j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype changed = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({ d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + changed });
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

} // namespace

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
    qsizetype nearestDistance = std::min<qsizetype>(3, (name.size() + 1) / 2);
    for (const CommandLineOption& option : options) {
        const qsizetype distance = TypingDistance(name, option.name);
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
