#pragma once

#include "lsystem/turtle.h"

#include <cstdint>
#include <vector>

namespace lsystem {

struct RecordedSegment {
    plane::TVector3 start;
    plane::TVector3 end;
    plane::Rgb colour;
    std::int32_t penWidth;
};

// Keeps every segment the walk draws and hands it on to `next`, when there is one.
class RecordingCanvas : public Canvas {
public:
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        segments.push_back({ start, end, colour, penWidth });
        if (next != nullptr)
            next->DrawSegment(start, end, colour, penWidth);
    }

    std::vector<RecordedSegment> segments;
    Canvas* next = nullptr;
};

} // namespace lsystem
