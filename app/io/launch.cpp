#include "app/io/launch.h"

#include "app/io/command_line_options.h"
#include "app/io/file_name_bytes.h"
#include "app/io/option_suggestion.h"

namespace app {

namespace {

// The option an argument starting with "-" gives, with its value after an "=" if any; no
// option when the program does not know it.
struct GivenOption {
    const CommandLineOption* option = nullptr;
    std::optional<QString> inlineValue;
};

GivenOption OptionOf(const QString& argument)
{
    const std::vector<CommandLineOption>& options = CommandLineOptions();
    if (argument.startsWith(QStringLiteral("--"))) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        for (const CommandLineOption& option : options) {
            if (option.name == name)
                return { &option,
                    equals < 0 ? std::nullopt : std::optional(argument.mid(equals + 1)) };
        }
        return {};
    }
    for (const CommandLineOption& option : options) {
        if (!option.shortName.isEmpty() && argument.mid(1) == option.shortName)
            return { &option, std::nullopt };
    }
    return {};
}

Launch Of(LaunchKind kind, GivenOptions options = {})
{
    return { kind, std::move(options), {} };
}

Launch BadUsage(const QString& message)
{
    return { LaunchKind::BadUsage, {}, message };
}

QString UnknownOption(const QString& argument)
{
    QString message = QStringLiteral("unknown option \"%1\"").arg(argument);
    if (const std::optional<QString> suggestion = SuggestedOption(argument))
        message += QStringLiteral(": did you mean %1?").arg(*suggestion);
    return message;
}

// The first option given more often than once that may be given once only.
const CommandLineOption* Repeated(const GivenOptions& given)
{
    for (const CommandLineOption& option : CommandLineOptions()) {
        if (!option.repeatable && given.values(option.name).size() > 1)
            return &option;
    }
    return nullptr;
}

} // namespace

Launch ReadLaunch(const QStringList& arguments)
{
    bool optionsEnded = false;
    GivenOptions given;
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
        const auto [option, inlineValue] = OptionOf(argument);
        if (!option)
            return BadUsage(UnknownOption(argument));
        if (!option->takesValue() && inlineValue)
            return BadUsage(QStringLiteral("--%1 takes no value").arg(option->name));
        if (option->takesValue() && !inlineValue && i + 1 == arguments.size()) {
            return BadUsage(
                QStringLiteral("--%1 needs a value: <%2>").arg(option->name, option->valueName));
        }
        given.Add(option->name,
            !option->takesValue() ? QString()
                : inlineValue     ? *inlineValue
                                  : arguments[++i]);
    }
    if (given.isSet(QStringLiteral("help")))
        return Of(LaunchKind::Help);
    if (given.isSet(QStringLiteral("version")))
        return Of(LaunchKind::Version);
    if (const CommandLineOption* repeated = Repeated(given))
        return BadUsage(QStringLiteral("--%1 is given more than once").arg(repeated->name));
    if (files.size() > 1)
        return BadUsage(QStringLiteral("unexpected argument \"%1\"").arg(files[1]));
    if (!files.isEmpty())
        given.SetFile(files.first());
    const LaunchKind kind = given.isEmpty() ? LaunchKind::Windows : LaunchKind::Run;
    return Of(kind, std::move(given));
}

QStringList ArgumentList(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FileNameFromBytes(QByteArray(argv[i]));
    return arguments;
}

} // namespace app
