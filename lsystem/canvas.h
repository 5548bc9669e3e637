#pragma once

#include "plane/rgb.h"
#include "plane/transforms.h"

#include <cstdint>

namespace lsystem {

// Where the walk draws: the program's plane canvas, an exporter or a test's recorder.
class Canvas {
public:
    virtual ~Canvas() = default;
    // One segment, world coordinates, already turned; penWidth may be negative (a pen then
    // keeps the width it had).
    virtual void DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
        plane::Rgb colour, std::int32_t penWidth)
        = 0;
};

} // namespace lsystem
