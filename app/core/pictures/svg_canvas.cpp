#include "app/core/pictures/svg_canvas.h"

#include "app/core/pictures/view_segment.h"

#include <algorithm>
#include <charconv>

namespace app {

namespace {

constexpr std::size_t BlockSize = 1 << 16;
constexpr std::size_t LineLength = 100; // path data wraps after about this many characters
// The most a vertex adds to a path's data: a line break, a command, and two numbers of at most
// 11 characters ("-1048576.25", the points lying within ViewReach) with a blank between.
constexpr std::size_t MaxVertexLength = 2 + 11 + 1 + 11;
static_assert(2 * MaxVertexLength <= SvgCanvas::MinPathDataLimit);
static_assert(ViewReach <= 1048576.0, "MaxVertexLength counts the digits of ViewReach");

} // namespace

SvgCanvas::SvgCanvas(std::ostream& out, std::size_t pathDataLimit, Background background)
    : m_out(out)
    , m_pathDataLimit(std::max(pathDataLimit, MinPathDataLimit))
{
    static_assert(Decimals == 2 && UnitsPerViewPixel == 100.0, "WriteNumber writes two decimals");
    static_assert(ViewSize == 700, "the document's start spells the view size");
    m_buffer.reserve(BlockSize + 256);
    Write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"700\" "
          "height=\"700\" viewBox=\"0 0 700 700\">\n");
    if (background == Background::White)
        Write("<rect width=\"700\" height=\"700\" fill=\"#ffffff\"/>\n");
    Write("<g fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n");
}

void SvgCanvas::DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
    plane::Rgb colour, std::int32_t penWidth)
{
    m_runs.Draw(*this, start, end, colour, penWidth);
}

void SvgCanvas::Finish()
{
    m_runs.End(*this);
    Write("</g>\n</svg>\n");
    m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_buffer.clear();
    m_out.flush();
}

void SvgCanvas::BeginPath(plane::Rgb colour, std::int32_t width)
{
    static constexpr char hex[] = "0123456789abcdef";
    const char stroke[] = { '#', hex[colour.red >> 4], hex[colour.red & 15], hex[colour.green >> 4],
        hex[colour.green & 15], hex[colour.blue >> 4], hex[colour.blue & 15] };
    Write("<path stroke=\"");
    Write({ stroke, sizeof stroke });
    Write("\" stroke-width=\"");
    WriteNumber(std::int64_t { width } * static_cast<std::int64_t>(UnitsPerViewPixel));
    Write("\" d=\"");
    m_pathDataLength = 0;
}

void SvgCanvas::EndPath()
{
    Write("\"/>\n");
}

bool SvgCanvas::PathHasRoomFor(std::size_t vertices) const
{
    return m_pathDataLength + vertices * MaxVertexLength <= m_pathDataLimit;
}

// Ends the path's element at the last point written and goes on from there in a new one of the
// same stroke. Only written points are touched, so merging and dots come out as without a split.
void SvgCanvas::SplitPath()
{
    const Point from = m_written;
    EndPath();
    BeginPath(m_runs.colour(), m_runs.width());
    Write("M");
    WritePoint(from);
    m_afterMove = true;
}

// A subpath starts with its move and first vertex in one element, so that no element holds a
// lone move.
void SvgCanvas::MoveTo(Point point)
{
    if (!PathHasRoomFor(2)) {
        EndPath();
        BeginPath(m_runs.colour(), m_runs.width());
    }
    WrapLine();
    Write("M");
    WritePoint(point);
    m_afterMove = true;
}

void SvgCanvas::WriteVertex(Point point)
{
    if (!m_afterMove && !PathHasRoomFor(1))
        SplitPath();
    if (m_afterMove)
        Write("L");
    else if (!WrapLine())
        Write(" ");
    WritePoint(point);
    m_afterMove = false;
}

// Path data goes on a new line once the current one is long, so that text tools cope with it.
bool SvgCanvas::WrapLine()
{
    if (m_lineLength <= LineLength)
        return false;
    Write("\n");
    return true;
}

void SvgCanvas::WritePoint(Point point)
{
    WriteNumber(point.x);
    Write(" ");
    WriteNumber(point.y);
    m_written = point;
}

// units / 100 with its decimals, trailing zeros dropped: 150 is "1.5", -5 is "-0.05".
void SvgCanvas::WriteNumber(std::int64_t units)
{
    char text[24];
    char* p = text;
    if (units < 0) {
        *p++ = '-';
        units = -units;
    }
    p = std::to_chars(p, text + sizeof text, units / 100).ptr;
    const auto hundredths = static_cast<int>(units % 100);
    if (hundredths != 0) {
        *p++ = '.';
        *p++ = static_cast<char>('0' + hundredths / 10);
        if (hundredths % 10 != 0)
            *p++ = static_cast<char>('0' + hundredths % 10);
    }
    Write({ text, static_cast<std::size_t>(p - text) });
}

void SvgCanvas::Write(std::string_view text)
{
    m_buffer.append(text);
    m_pathDataLength += text.size();
    m_lineLength = !text.empty() && text.back() == '\n' ? 0 : m_lineLength + text.size();
    if (m_buffer.size() >= BlockSize) {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
    }
}

} // namespace app
