#pragma once

#include <cstdint>

namespace lsystem {

// The 32-bit linear congruential generator of the walk: seed := seed * 134775813 + 1 modulo
// 2^32, value seed / 2^32. One generator serves a whole run, so every drawing continues the
// sequence of the one before.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed = 0)
        : m_seed(seed)
    {
    }
    double Next()
    {
        m_seed = m_seed * Multiplier + Increment;
        return ValueOf(m_seed);
    }
    // Moves on by Steps values at once, leaving the state that Steps calls of Next() leave: a
    // composition of affine maps modulo 2^32 is one affine map, seed * a^n + c * (a^(n-1) + ... +
    // 1), so the steps cost one multiplication instead of a chain of them.
    template <unsigned Steps> void Skip() { m_seed = Jumped<Steps>(); }
    // The value that the Steps-th call of Next() from now would return, the state staying.
    template <unsigned Steps> double Peek() const { return ValueOf(Jumped<Steps>()); }
    std::uint32_t seed() const { return m_seed; }

private:
    static constexpr std::uint32_t Multiplier = 134775813u;
    static constexpr std::uint32_t Increment = 1u;
    struct AffineStep {
        std::uint32_t multiplier;
        std::uint32_t increment;
    };
    static double ValueOf(std::uint32_t seed) { return seed / 4294967296.0; }
    template <unsigned Steps> std::uint32_t Jumped() const
    {
        constexpr AffineStep jump = Jump<Steps>();
        return m_seed * jump.multiplier + jump.increment;
    }
    template <unsigned Steps> static constexpr AffineStep Jump()
    {
        AffineStep jump { 1u, 0u };
        for (unsigned step = 0; step < Steps; ++step)
            jump = { jump.multiplier * Multiplier, jump.increment * Multiplier + Increment };
        return jump;
    }

    std::uint32_t m_seed;
};

} // namespace lsystem
