#pragma once

#include <QString>

namespace app {

// The folder of the example L-system files for a program whose executable lies in
// applicationDir: the installed folder, found from the executable's own folder (so an unpacked
// or relocated installation works too), else the source tree's examples/ for a program run
// from its build folder; an empty string when neither exists.
QString ExamplesDirectoryFrom(const QString& applicationDir);

// The examples folder of this running program. Needs the QCoreApplication to exist.
QString ExamplesDirectory();

} // namespace app
