#pragma once

#include <string>

namespace app {

// What is wrong with an L-system file and where.
struct LSystemFileError {
    int line = 0; // 1-based; 0 when the file as a whole is at fault
    std::string message;

    friend bool operator==(const LSystemFileError&, const LSystemFileError&) = default;
};

// The error as one line of text: "line 3: ..." or, for the whole file, the message alone.
std::string DescribeError(const LSystemFileError& error);

} // namespace app
