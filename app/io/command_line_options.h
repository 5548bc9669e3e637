#pragma once

#include <QString>

#include <vector>

class QCommandLineParser;

namespace app {

// One option of the command line.
struct CommandLineOption {
    QString name; // given as --name
    QString shortName; // given as -x; empty for most
    QString valueName; // empty for a flag
    QString description;
    bool repeatable = false; // given many times, each value counts; any other is given once

    bool takesValue() const { return !valueName.isEmpty(); }
};

// Every option, in the order of the help: --render, --animate and --preset, the fields' own
// (FieldTable), --rule, then the rest.
const std::vector<CommandLineOption>& CommandLineOptions();

// The options, the positional L-system file and the description, for the help (ReadLaunch reads
// the arguments).
void AddOptions(QCommandLineParser& parser);

} // namespace app
