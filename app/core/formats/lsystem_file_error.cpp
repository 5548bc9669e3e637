#include "app/core/formats/lsystem_file_error.h"

namespace app {

std::string DescribeError(const LSystemFileError& error)
{
    if (error.line == 0)
        return error.message;
    return "line " + std::to_string(error.line) + ": " + error.message;
}

} // namespace app
