#pragma once

#include "app/io/given_options.h"

#include <QString>
#include <QStringList>

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
    GivenOptions options; // Run: the options and the file; Windows: the file to open, if any
    QString message; // BadUsage: what is wrong, naming the argument
};

// The one reading of the arguments (the program's name first), over the one option table
// (CommandLineOptions):
//   arguments := { option | file } [ "--" { file } ]
//   option    := "--" NAME [ "=" VALUE ] [ VALUE ] | "-" SHORT [ VALUE ]
// Every argument that starts with "-" is an option, up to a "--", after which every one is a
// file; an option's value is the argument after it (which may start with "-") or follows an "=".
// An option the program does not know is bad usage, its message suggesting a known one that is
// close; so is an option without its value, a value given to a flag, an option given twice that
// is not repeatable, or a second file. --help comes before --version, and both before any other
// option's checks.
Launch ReadLaunch(const QStringList& arguments);

// The arguments as the program was given them, before any application object exists: each
// argument's bytes kept, as FileNameFromBytes keeps them, since it may name a file.
QStringList ArgumentList(int argc, char* argv[]);

} // namespace app
