#pragma once

#include <QString>

namespace app {

// The message with a full stop added when its last character sorts after ".": how the program
// ends every error message it shows, in the error box and on the command line.
QString WithFullStop(const QString& message);

} // namespace app
