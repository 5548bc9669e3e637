#pragma once

#include "lsystem/draw_params.h"
#include "plane/rgb.h"
#include "plane/transforms.h"

#include <cstdint>
#include <optional>
#include <string>

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
        m_seed = m_seed * 134775813u + 1u;
        return m_seed / 4294967296.0;
    }
    std::uint32_t seed() const { return m_seed; }

private:
    std::uint32_t m_seed;
};

// What the checked preset decides for a walk.
struct WalkStyle {
    plane::Rgb colour; // line colour
    std::optional<double> rotation; // turn of each drawn segment, radians; none for most presets
    std::int32_t narrowing = 3; // pen narrowing at the end of a run of drawing symbols
};

// Where the walk draws: the plane implements it for the screen, tests record with it.
class Canvas {
public:
    virtual ~Canvas() = default;
    // One segment, world coordinates, already turned; penWidth may be negative (the pen then
    // keeps the width it had).
    virtual void DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
        plane::Rgb colour, std::int32_t penWidth)
        = 0;
    // Called before every 4096th symbol, so the view can show the figure growing and take
    // input (a Stop, which the walk sees before the very next symbol) while the walk runs.
    virtual void Progress() { }
};

// Walks `word` with the turtle onto the canvas, reading Angle, StepLength, RandomAmp and
// StopFlag and reading and changing PenWidth of params. Floating-point faults (a heading or an
// end point that overflows or is not a number) are raised as fpu::FloatingPointError; segments
// drawn before stay. Branches may nest to any depth; a ")" without an open branch leaves the
// turtle as it is; narrowing stops at the smallest 32-bit width instead of wrapping round.
void DrawWord(const std::string& word, DrawParams& params, const WalkStyle& style,
    RandomGenerator& random, Canvas& canvas);

} // namespace lsystem
