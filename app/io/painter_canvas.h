#pragma once

#include "app/core/pictures/mapped_canvas.h"
#include "plane/pen_width.h"
#include "plane/rgb.h"
#include "plane/viewport.h"

#include <QPainterPath>
#include <QPointF>

#include <cstdint>

class QPainter;

namespace app {

// Strokes the segments drawn on it with a QPainter: points mapped as the SVG writer maps them
// (MapToView: unrounded, cut to its reach, the plane's faults) and rounded to the same hundredths
// of a view pixel, pens as the plane's (a negative width keeps the previous one, 0 draws as 1).
// The painter gets whole hundredths, as the vector pictures write them: its transform must scale
// them by 1 / UnitsPerPixel onto view pixels.
//
// Each run of consecutive segments of one colour and one width is a polyline path stroked with
// round caps and joins; a subpath of zero length is a dot, as on the plane. So that memory stays
// flat, a path is stroked once it holds PathPoints points and the run goes on in the next from
// the point where it ended, which round caps and joins draw the same.
class PainterCanvas final : public MappedCanvas {
public:
    static constexpr double UnitsPerPixel = 100.0;
    static constexpr int PathPoints = 4096;

    explicit PainterCanvas(QPainter& painter)
        : m_painter(painter)
    {
    }

    void SetMapping(const plane::Viewport& mapping) override { m_mapping = mapping; }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;

    // Strokes what is left; the painter then holds every segment.
    void Finish() { StrokePath(); }

private:
    void StrokePath();
    void MoveTo(QPointF point);
    void LineTo(QPointF point);
    void EndSubpath();

    QPainter& m_painter;
    plane::Viewport m_mapping;
    plane::PenWidth m_pen;
    QPainterPath m_path; // the run's segments not stroked yet
    plane::Rgb m_colour;
    std::int32_t m_width = 0;
    QPointF m_end; // where the subpath ends so far
    bool m_dot = false; // the subpath has no length so far
};

} // namespace app
