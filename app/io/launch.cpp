#include "app/io/launch.h"

#include "app/io/command_line_options.h"
#include "app/io/option_suggestion.h"

#include <utility>

namespace app {

namespace {

// The option an argument starting with "-" gives, with whether a value follows an "="; none
// when the program does not know it.
struct GivenOption {
    const CommandLineOption* option = nullptr;
    bool inlineValue = false;
};

GivenOption OptionOf(const QString& argument)
{
    const std::vector<CommandLineOption>& options = CommandLineOptions();
    if (argument.startsWith(QStringLiteral("--"))) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        for (const CommandLineOption& option : options) {
            if (option.name == name)
                return { &option, equals >= 0 };
        }
        return {};
    }
    for (const CommandLineOption& option : options) {
        if (!option.shortName.isEmpty() && argument.mid(1) == option.shortName)
            return { &option, false };
    }
    return {};
}

Launch Of(LaunchKind kind, std::optional<QString> file = std::nullopt)
{
    return { kind, std::move(file), {} };
}

Launch BadUsage(const QString& message)
{
    return { LaunchKind::BadUsage, std::nullopt, message };
}

QString UnknownOption(const QString& argument)
{
    QString message = QStringLiteral("unknown option \"%1\"").arg(argument);
    if (const std::optional<QString> suggestion = SuggestedOption(argument))
        message += QStringLiteral(": did you mean %1?").arg(*suggestion);
    return message;
}

} // namespace

Launch ReadLaunch(const QStringList& arguments)
{
    bool optionsEnded = false;
    bool anyOption = false;
    bool help = false;
    bool version = false;
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            files << argument;
            continue;
        }
        if (argument == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        const GivenOption given = OptionOf(argument);
        if (!given.option)
            return BadUsage(UnknownOption(argument));
        const CommandLineOption& option = *given.option;
        if (option.takesValue() && !given.inlineValue) {
            if (i + 1 == arguments.size()) {
                return BadUsage(
                    QStringLiteral("--%1 needs a value: <%2>").arg(option.name, option.valueName));
            }
            ++i;
        } else if (!option.takesValue() && given.inlineValue) {
            return BadUsage(QStringLiteral("--%1 takes no value").arg(option.name));
        }
        anyOption = true;
        help = help || option.name == QStringLiteral("help");
        version = version || option.name == QStringLiteral("version");
    }
    if (help)
        return Of(LaunchKind::Help);
    if (version)
        return Of(LaunchKind::Version);
    if (files.size() > 1)
        return BadUsage(QStringLiteral("unexpected argument \"%1\"").arg(files[1]));
    if (anyOption)
        return Of(LaunchKind::Run);
    if (files.isEmpty())
        return Of(LaunchKind::Windows);
    return Of(LaunchKind::Windows, files.first());
}

QStringList ArgumentList(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace app
