#pragma once

#include "app/core/pictures/mapped_canvas.h"
#include "plane/pen_width.h"

namespace app {

// Passes each segment on to another canvas with the pen width the plane would draw it with
// (a negative width keeps the previous one, 0 draws as 1) multiplied by `scale`, rounded and at
// least 1: the figure drawn at scale times the plane's size keeps its look.
class ScaledPenCanvas final : public MappedCanvas {
public:
    ScaledPenCanvas(MappedCanvas& target, double scale)
        : m_target(target)
        , m_scale(scale)
    {
    }

    void SetMapping(const plane::Viewport& mapping) override { m_target.SetMapping(mapping); }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;

private:
    MappedCanvas& m_target;
    double m_scale;
    plane::PenWidth m_pen;
};

} // namespace app
