#pragma once

#include <QString>

#include <stdexcept>

namespace app {

// Arguments the command line cannot run: the message says what is wrong, naming the argument.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
};

} // namespace app
