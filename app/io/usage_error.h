#pragma once

#include "app/io/file_name_bytes.h"

#include <QString>

#include <stdexcept>

namespace app {

// Arguments the command line cannot run: the message says what is wrong, naming the argument
// (with the bytes of a file name that is not UTF-8, which the message escapes when shown).
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message)
        : std::runtime_error(FileNameBytes(message).toStdString())
    {
    }
};

} // namespace app
