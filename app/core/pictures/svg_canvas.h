#pragma once

#include "app/core/pictures/mapped_canvas.h"
#include "app/core/pictures/plane_size.h"
#include "app/core/pictures/subpath_vertices.h"
#include "app/core/pictures/vector_runs.h"
#include "plane/viewport.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace app {

// Writes the segments drawn on it as an SVG document, streamed: memory stays the same however
// many segments come. The viewBox is the plane's ViewSize × ViewSize raster on a white
// background (or none, transparent), points mapped as the plane maps them but unrounded (y pointing
// down), written with `Decimals` decimals. Each run of one colour and one effective pen width
// (VectorRuns) is one <path>: collinear points in the same direction merge, and a subpath of zero
// length is kept as a dot (round caps). Fill, caps and joins are set once on the group holding
// the paths.
//
// Tools refuse attributes of many megabytes, so a path's data stops at a limit: the run goes on
// in the next <path> of the same stroke, which starts with a move to the vertex where the last
// one ended. With round caps and joins the two paths cover exactly what one would.
class SvgCanvas final : public MappedCanvas {
public:
    static constexpr int ViewSize = PlaneSize;
    static constexpr int Decimals = 2;
    static constexpr std::size_t DefaultPathDataLimit = 1 << 16;
    static constexpr std::size_t MinPathDataLimit = 64; // room for a move and a line

    enum class Background { White, None };

    // Writes the start of the document. No path's data is longer than `pathDataLimit`
    // characters (at least MinPathDataLimit).
    explicit SvgCanvas(std::ostream& out, std::size_t pathDataLimit = DefaultPathDataLimit,
        Background background = Background::White);

    // The mapping of the next segments' world window onto the ViewSize × ViewSize view.
    void SetMapping(const plane::Viewport& mapping) override { m_runs.SetMapping(mapping); }

    // Points are mapped by MapToView, which raises the plane's fault for a point it could not
    // draw.
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;

    // Ends the last path and the document and hands everything to the stream.
    void Finish();

private:
    // A point of the view in units of 10^-Decimals.
    using Point = ViewUnits;

    // How VectorRuns has a run's path, its moves and its vertices written.
    friend class VectorRuns<SvgCanvas>;
    void BeginPath(plane::Rgb colour, std::int32_t width);
    void EndPath();
    void MoveTo(Point point);
    void WriteVertex(Point point);

    bool PathHasRoomFor(std::size_t vertices) const;
    void SplitPath();
    bool WrapLine();
    void WritePoint(Point point);
    void WriteNumber(std::int64_t units);
    void Write(std::string_view text);

    std::ostream& m_out;
    VectorRuns<SvgCanvas> m_runs;
    std::string m_buffer; // written to m_out in blocks
    std::size_t m_lineLength = 0; // characters since the last line break
    std::size_t m_pathDataLimit;
    std::size_t m_pathDataLength = 0; // characters of the current path's data so far

    bool m_afterMove = false; // the next vertex is the first after "M"
    Point m_written; // the last point written to the path's data
};

} // namespace app
