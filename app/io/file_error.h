#pragma once

#include <stdexcept>
#include <string>

namespace app {

// A file that could not be read or written; the message names the file and the reason.
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

} // namespace app
