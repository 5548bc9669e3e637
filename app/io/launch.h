#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

// What the arguments ask the program to do.
enum class LaunchKind {
    Windows, // no option: the control panel, with an L-system file if one is given
    Help,
    Version,
    Run, // draw on the command line
    BadUsage, // an option the program does not know, or misused; never the windows
};

struct Launch {
    LaunchKind kind = LaunchKind::Windows;
    std::optional<QString> file; // Windows: the L-system file to open
    QString message; // BadUsage: what is wrong, naming the argument
};

// Reads the arguments (the program's name first) as far as deciding what they ask for. Every
// argument that starts with "-" is an option, up to a "--", after which every one is a file; an
// option's value is the argument after it (which may start with "-") or follows an "=". An
// option the program does not know is bad usage, its message suggesting a known one that is
// close; so is an option without its value, a value given to a flag, or a second file. --help
// comes before --version, and both before any other option's checks.
Launch ReadLaunch(const QStringList& arguments);

// The arguments as the program was given them, before any application object exists.
QStringList ArgumentList(int argc, char* argv[]);

} // namespace app
