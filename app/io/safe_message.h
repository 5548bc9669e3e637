#pragma once

#include <QString>

namespace app {

// The message with SafeMessageText's escapes: how the error box and the command line show every
// error message.
QString SafeMessage(const QString& message);

} // namespace app
