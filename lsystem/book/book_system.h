#pragma once

#include "lsystem/book/book_expression.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lsystem::book {

// A module holds at most this many arguments; the streaming keeps one such row a level.
inline constexpr std::size_t MaxArguments = 16;
// The most rewriting steps a derivation takes.
inline constexpr int MaxDerivationLength = 128;

// A module of a successor or the axiom: its symbol and its arguments' expressions, which are
// arguments[first .. first + count) of the word's list.
struct BookWordModule {
    char symbol = 0;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

// A word to be written: a successor, or the axiom (whose expressions use no parameters).
struct BookSuccessor {
    std::vector<BookWordModule> modules;
    std::vector<BookExpression> arguments;
    double weight = 1.0;
};

// A module of a context: a symbol and how many parameters it binds ("[" and "]" bind none).
struct BookPattern {
    char symbol = 0;
    std::uint8_t parameterCount = 0;
};

// One production, or a group of weighted alternatives sharing their left side. Its parameter
// slots are the predecessor's parameters, then the left context's, then the right context's,
// each in the order written.
struct BookProduction {
    int row = 0;
    char symbol = 0;
    std::uint8_t parameterCount = 0;
    std::vector<BookPattern> left; // in the order written
    std::vector<BookPattern> right;
    std::vector<std::string> parameters; // the slots' names
    bool conditional = false;
    BookExpression condition;
    std::vector<BookSuccessor> alternatives;
    std::vector<double> bounds; // where each alternative's share of the weights ends

    bool contextual() const { return !left.empty() || !right.empty(); }
    // The alternative the choice value in [0, 1) picks, each taking a share in proportion to
    // its weight.
    const BookSuccessor& Chosen(double choice) const;
};

// A parsed system: the axiom, the productions in order, the constants and the ignore list.
struct BookSystem {
    BookSuccessor axiom;
    std::vector<BookProduction> productions;
    std::vector<std::pair<std::string, double>> constants;
    std::array<bool, 256> ignored {};
    // For each symbol, the indices of its productions in order.
    std::array<std::vector<std::uint32_t>, 256> bySymbol;
    bool contextSensitive = false;
    bool weighted = false;

    const std::vector<std::uint32_t>& ProductionsOf(char symbol) const
    {
        return bySymbol[static_cast<unsigned char>(symbol)];
    }
};

} // namespace lsystem::book
