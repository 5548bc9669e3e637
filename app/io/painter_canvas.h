#pragma once

#include "app/core/pictures/mapped_canvas.h"
#include "app/core/pictures/subpath_vertices.h"
#include "app/core/pictures/vector_runs.h"
#include "plane/rgb.h"
#include "plane/viewport.h"

#include <QPainterPath>

#include <cstdint>

class QPainter;

namespace app {

// Strokes the segments drawn on it with a QPainter, cut into the same runs and vertices as the
// SVG and PDF writers cut them (VectorRuns): points mapped by MapToView (unrounded, cut to its
// reach, the plane's faults) and rounded to hundredths of a view pixel, pens as the plane's (a
// negative width keeps the previous one, 0 draws as 1), collinear points merged. The painter gets
// whole hundredths, as the vector pictures write them: its transform must scale them by
// 1 / UnitsPerPixel onto view pixels.
//
// Each run is a polyline path stroked with round caps and joins; a subpath of zero length is a
// dot, as on the plane. So that memory stays flat, a path is stroked once it holds PathPoints
// points and the run goes on in the next from the last vertex, which round caps and joins draw
// the same.
class PainterCanvas final : public MappedCanvas {
public:
    static constexpr double UnitsPerPixel = UnitsPerViewPixel;
    static constexpr int PathPoints = 4096;

    explicit PainterCanvas(QPainter& painter)
        : m_painter(painter)
    {
    }

    void SetMapping(const plane::Viewport& mapping) override { m_runs.SetMapping(mapping); }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;

    // Strokes what is left; the painter then holds every segment.
    void Finish() { m_runs.End(*this); }

private:
    // How VectorRuns has a run's path, its moves and its vertices drawn.
    friend class VectorRuns<PainterCanvas>;
    void BeginPath(plane::Rgb colour, std::int32_t width);
    void EndPath();
    void MoveTo(ViewUnits point);
    void WriteVertex(ViewUnits point);

    void StrokePath();

    QPainter& m_painter;
    VectorRuns<PainterCanvas> m_runs;
    QPainterPath m_path; // the run's vertices not stroked yet
    plane::Rgb m_colour;
    std::int32_t m_width = 0;
    ViewUnits m_last; // the last point added to the path
};

} // namespace app
