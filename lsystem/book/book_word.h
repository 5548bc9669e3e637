#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lsystem::book {

// A word held in memory: module i is symbols[i] with the arguments
// arguments[starts[i] .. starts[i + 1]).
struct BookWord {
    std::string symbols;
    std::vector<std::uint32_t> starts { 0 };
    std::vector<double> arguments;

    std::size_t size() const { return symbols.size(); }
    const double* ArgumentsOf(std::size_t i) const { return arguments.data() + starts[i]; }
    std::size_t CountOf(std::size_t i) const { return starts[i + 1] - starts[i]; }
    void Append(char symbol, const double* values, std::size_t count)
    {
        symbols += symbol;
        arguments.insert(arguments.end(), values, values + count);
        starts.push_back(static_cast<std::uint32_t>(arguments.size()));
    }
    void Clear()
    {
        symbols.clear();
        starts.assign(1, 0);
        arguments.clear();
    }
};

} // namespace lsystem::book
