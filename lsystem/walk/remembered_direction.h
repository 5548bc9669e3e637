#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace lsystem {

// The sine and the cosine of a heading in degrees, as std::sin and std::cos give them for
// heading * pi / 180.
struct Direction {
    double sine;
    double cosine;
};

// Remembers the directions of the last headings it was asked for, keyed by their exact bits, so
// a hit gives the very doubles that the calls would. The headings of a walk with no random
// amplitude come from a few repeated sums, so their directions are asked for over and over; one
// look-up serves both, and needs no product for the angle.
class RememberedDirection {
public:
    RememberedDirection() { m_entries.fill({ std::bit_cast<std::uint64_t>(0.0), Of(0.0) }); }

    [[gnu::always_inline]] const Direction& operator()(double heading)
    {
        const auto bits = std::bit_cast<std::uint64_t>(heading);
        Entry& entry = m_entries[(bits * 0x9E3779B97F4A7C15u) >> (64 - IndexBits)];
        if (entry.bits != bits) [[unlikely]]
            entry = { bits, Of(heading) };
        return entry.direction;
    }

    static constexpr double DegreesToRadians = 0.017453292519943295; // pi / 180

private:
    [[gnu::noinline]] static Direction Of(double heading)
    {
        const double angle = heading * DegreesToRadians;
        return { std::sin(angle), std::cos(angle) };
    }

    static constexpr int IndexBits = 6;
    struct Entry {
        std::uint64_t bits;
        Direction direction;
    };
    std::array<Entry, std::size_t { 1 } << IndexBits> m_entries;
};

} // namespace lsystem
