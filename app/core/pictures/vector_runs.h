#pragma once

#include "app/core/pictures/subpath_vertices.h"
#include "app/core/pictures/view_segment.h"
#include "plane/pen_width.h"
#include "plane/rgb.h"
#include "plane/transforms.h"
#include "plane/viewport.h"

#include <cstdint>
#include <optional>

namespace app {

// Cuts the segments drawn on a vector canvas into the paths it writes. Each run of consecutive
// segments of one colour and one effective pen width (as the plane's pen: a negative width keeps
// the previous one, 0 draws as 1) is one path; its subpaths start where a segment does not begin
// at the previous end, and their vertices are merged by SubpathVertices. The Writer, the canvas,
// writes them in its format through these members, called directly rather than through virtual
// functions since every segment passes here:
//   BeginPath(plane::Rgb colour, std::int32_t width)  starts a run's path
//   MoveTo(ViewUnits point)                          starts a subpath at the point
//   WriteVertex(ViewUnits point)                     adds a vertex to the subpath
//   EndPath()                                        ends the run's path after its last vertex
template <class Writer> class VectorRuns {
public:
    // The mapping of the next segments' world window onto the view.
    void SetMapping(const plane::Viewport& mapping) { m_mapping = mapping; }

    // Points are mapped by MapToView, which raises the plane's fault for a point it could not
    // draw.
    void Draw(Writer& writer, const plane::TVector3& start, const plane::TVector3& end,
        plane::Rgb colour, std::int32_t penWidth)
    {
        m_pen.Set(penWidth);
        const std::int32_t width = m_pen.drawn();
        const std::optional<ViewSegment> segment = MapToView(m_mapping, start, end);
        if (!segment)
            return;
        const ViewUnits from = ToViewUnits(segment->x0, segment->y0);
        const ViewUnits to = ToViewUnits(segment->x1, segment->y1);
        if (!m_pathOpen || colour != m_colour || width != m_width) {
            End(writer);
            m_pathOpen = true;
            m_colour = colour;
            m_width = width;
            writer.BeginPath(colour, width);
            MoveTo(writer, from);
        } else if (from != m_subpath.end()) {
            EndSubpath(writer);
            MoveTo(writer, from);
        }
        if (const std::optional<ViewUnits> vertex = m_subpath.LineTo(to))
            writer.WriteVertex(*vertex);
    }

    // Ends the last run's path, if one is open.
    void End(Writer& writer)
    {
        if (!m_pathOpen)
            return;
        EndSubpath(writer);
        writer.EndPath();
        m_pathOpen = false;
    }

    // The stroke of the run being written, for a writer that goes on in a path of its own.
    plane::Rgb colour() const { return m_colour; }
    std::int32_t width() const { return m_width; }

private:
    void MoveTo(Writer& writer, ViewUnits point)
    {
        writer.MoveTo(point);
        m_subpath.Start(point);
    }

    // The held-back vertex; for a subpath of only zero-length segments, its own start again,
    // which round caps draw as a dot.
    void EndSubpath(Writer& writer) { writer.WriteVertex(m_subpath.end()); }

    plane::Viewport m_mapping;
    plane::PenWidth m_pen;
    bool m_pathOpen = false;
    plane::Rgb m_colour;
    std::int32_t m_width = 0;
    SubpathVertices m_subpath; // the subpath being written, its last vertex held back
};

} // namespace app
