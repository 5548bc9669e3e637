#pragma once

#include "plane/rgb.h"
#include "plane/transforms.h"

#include <cstddef>
#include <cstdint>

namespace lsystem {

// A segment handed to a canvas in a batch: its ends in world coordinates (w being 1), already
// turned, and the pen width the walk had.
struct BatchedSegment {
    double startX;
    double startY;
    double endX;
    double endY;
    std::int32_t penWidth;
};

// A world rectangle, empty when left > right or bottom > top.
struct BatchWindow {
    double left = 1.0;
    double right = 0.0;
    double bottom = 1.0;
    double top = 0.0;

    [[gnu::always_inline]] bool Holds(double x, double y) const
    {
        return x >= left && x <= right && y >= bottom && y <= top;
    }
};

// Where the walk draws: the program's plane canvas, an exporter or a test's recorder.
class Canvas {
public:
    virtual ~Canvas() = default;
    // One segment, world coordinates, already turned; penWidth may be negative (a pen then
    // keeps the width it had).
    virtual void DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
        plane::Rgb colour, std::int32_t penWidth)
        = 0;

    // Where segments may come in batches: DrawSegment of a segment (w = 1) with both ends in
    // this window raises no error, so the walk may keep such segments back and hand them over
    // together, in order, saving a call each. None (the default) for a canvas that takes
    // segments one by one only.
    virtual BatchWindow batchWindow() const { return {}; }
    // Draws segments of one colour as DrawSegment would, one after the other.
    virtual void DrawSegments(const BatchedSegment* segments, std::size_t count, plane::Rgb colour)
    {
        for (std::size_t i = 0; i < count; ++i) {
            const BatchedSegment& segment = segments[i];
            DrawSegment({ segment.startX, segment.startY, 1.0 },
                { segment.endX, segment.endY, 1.0 }, colour, segment.penWidth);
        }
    }
};

} // namespace lsystem
