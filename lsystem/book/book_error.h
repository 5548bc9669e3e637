#pragma once

#include <stdexcept>
#include <string>

namespace lsystem::book {

// Where a text breaks the notation: row and column count from 1 (row 0 stands for the axiom).
struct BookParseError {
    int row = 0;
    int column = 0;
    std::string message;

    // "Row 3, column 12: …", or "Axiom, column 4: …".
    std::string Text() const
    {
        const std::string where = row == 0 ? "Axiom" : "Row " + std::to_string(row);
        return where + ", column " + std::to_string(column) + ": " + message;
    }
};

// A derivation that cannot go on: an expression met a domain error, or a word outgrew the
// budget. The message names the place; arithmetic faults still come as fpu::FloatingPointError.
class BookDerivationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace lsystem::book
