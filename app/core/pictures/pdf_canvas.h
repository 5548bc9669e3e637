#pragma once

#include "app/core/pictures/deflate_stream.h"
#include "app/core/pictures/mapped_canvas.h"
#include "app/core/pictures/plane_size.h"
#include "app/core/pictures/subpath_vertices.h"
#include "app/core/pictures/vector_runs.h"
#include "plane/viewport.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace app {

// Writes the segments drawn on it as a PDF document (version 1.4) of one square page, streamed:
// memory stays the same however many segments come. The page is the plane's ViewSize × ViewSize
// view at 96 pixels per inch (525 points, the size a 700-pixel SVG prints at), on white or on
// nothing, and draws what the SvgCanvas draws: the same points (mapped as the plane maps them but
// rounded to hundredths of a view pixel, not to whole pixels), the same runs (VectorRuns), merged
// the same way, stroked with round caps and joins.
//
// The document is a catalog, a page tree of one page, the page, its content stream, the
// stream's length, the document's information and a cross-reference table. The content stream
// is compressed (DeflateStream, read back by FlateDecode) as it is drawn and goes into `out` a
// block at a time; its length is an object of its own, written after it, so that nothing waits
// for the page's end. The content's coordinates are whole hundredths of a view pixel, y pointing
// down as in the view: one transformation at its start maps them onto the page's points. Colours
// have four decimals, which every reader's rounding to 8 bits gives back exactly. A run's path is
// stroked once it holds PathVertices vertices and goes on in the next from the vertex where it
// ended, which round caps and joins draw the same, so that no viewer has to hold a path of a
// million points.
class PdfCanvas final : public MappedCanvas {
public:
    static constexpr int ViewSize = PlaneSize;
    static constexpr int PixelsPerInch = 96;
    static constexpr std::size_t PathVertices = 4096;

    enum class Background { White, None };

    // What the document says about itself; an empty text is left out.
    struct Information {
        std::string producer;
        std::string creationDate; // as PDF writes dates: "D:YYYYMMDDHHmmSSZ"
    };

    // Writes the document up to the start of the page's content.
    PdfCanvas(std::ostream& out, Background background, const Information& information);

    // The mapping of the next segments' world window onto the ViewSize × ViewSize view.
    void SetMapping(const plane::Viewport& mapping) override { m_runs.SetMapping(mapping); }

    // Points are mapped by MapToView, which raises the plane's fault for a point it could not
    // draw.
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;

    // Ends the page's content and writes the rest of the document.
    void Finish();

private:
    // The document's objects, numbered in the order they are written.
    enum Object : int { Catalog = 1, Pages, Page, Content, ContentLength, Info };
    static constexpr int ObjectCount = Info;

    // How VectorRuns has a run's path, its moves and its vertices written.
    friend class VectorRuns<PdfCanvas>;
    void BeginPath(plane::Rgb colour, std::int32_t width);
    void EndPath();
    void MoveTo(ViewUnits point);
    void WriteVertex(ViewUnits point);

    void WritePoint(ViewUnits point, std::string_view operation);
    void WriteInteger(std::int64_t value);
    void WriteColourComponent(std::uint8_t value);
    void BeginObject(Object number);
    void Put(std::string_view text);

    std::ostream& m_out;
    Information m_information;
    std::uint64_t m_offset = 0; // bytes of the document so far, the content stream's included
    std::uint64_t m_objectOffsets[ObjectCount] = {};
    DeflateStream m_content;

    VectorRuns<PdfCanvas> m_runs;
    bool m_strokeSet = false; // the content has set a stroke colour and width
    plane::Rgb m_strokeColour; // the ones it set last
    std::int32_t m_strokeWidth = 0;
    bool m_afterMove = false; // the next vertex is the first after the move
    std::size_t m_pathVertices = 0; // vertices of the path since its last stroke
    ViewUnits m_written; // the last vertex written
};

} // namespace app
