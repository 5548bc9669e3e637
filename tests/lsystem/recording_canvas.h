#pragma once

#include "lsystem/turtle.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace lsystem {

struct RecordedSegment {
    plane::TVector3 start;
    plane::TVector3 end;
    plane::Rgb colour;
    std::int32_t penWidth;
};

// Keeps every segment the walk draws; `onSegment` lets a test act in the middle of a walk
// (press Stop).
class RecordingCanvas : public Canvas {
public:
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        segments.push_back({ start, end, colour, penWidth });
        if (onSegment)
            onSegment(segments.size());
    }

    std::vector<RecordedSegment> segments;
    std::function<void(std::size_t drawn)> onSegment;
};

} // namespace lsystem
