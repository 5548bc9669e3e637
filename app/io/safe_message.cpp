#include "app/io/safe_message.h"

#include "app/core/text/safe_message_text.h"

namespace app {

QString SafeMessage(const QString& message)
{
    return QString::fromStdString(SafeMessageText(message.toStdString()));
}

} // namespace app
