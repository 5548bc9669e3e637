#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace lsystem {

// Remembers Function of the last arguments it was asked for, keyed by their exact bits, so a hit
// gives the very double that the call would. The headings of a walk with no random amplitude come
// from a few repeated sums, so their sines and cosines are asked for over and over.
template <double (*Function)(double)> class RememberedFunction {
public:
    RememberedFunction() { m_entries.fill({ std::bit_cast<std::uint64_t>(0.0), Function(0.0) }); }

    double operator()(double argument)
    {
        const auto bits = std::bit_cast<std::uint64_t>(argument);
        Entry& entry = m_entries[(bits * 0x9E3779B97F4A7C15u) >> (64 - IndexBits)];
        if (entry.bits != bits)
            entry = { bits, Function(argument) };
        return entry.value;
    }

private:
    static constexpr int IndexBits = 6;
    struct Entry {
        std::uint64_t bits;
        double value;
    };
    std::array<Entry, std::size_t { 1 } << IndexBits> m_entries;
};

} // namespace lsystem
