#include "app/core/pictures/pdf_canvas.h"

#include <charconv>

namespace app {

namespace {

// The characters of the number.
std::string_view Spell(std::uint64_t value, char (&text)[24])
{
    return { text,
        static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text) };
}

// A literal string: the text with the characters that would end or escape it escaped.
std::string LiteralString(std::string_view text)
{
    std::string literal = "(";
    for (const char c : text) {
        if (c == '(' || c == ')' || c == '\\')
            literal += '\\';
        literal += c;
    }
    return literal + ")";
}

} // namespace

PdfCanvas::PdfCanvas(std::ostream& out, Background background, const Information& information)
    : m_out(out)
    , m_information(information)
    , m_content(out)
{
    static_assert(ViewSize == 700 && PixelsPerInch == 96 && UnitsPerViewPixel == 100.0,
        "the document spells out the page's 525 points and the scale of 72 / 96 / 100 points");
    static_assert(Catalog == 1 && Pages == 2 && Page == 3 && Content == 4 && ContentLength == 5
            && Info == 6 && ObjectCount == 6,
        "the document spells out its objects' numbers");
    // The second line's bytes above 127 tell file transfers that the file is binary.
    Put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    BeginObject(Catalog);
    Put("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    BeginObject(Pages);
    Put("<< /Type /Pages /Kids [3 0 R] /Count 1 >>\nendobj\n");
    // The page's one resource turns stroke adjustment on: viewers fit thin lines to their pixels,
    // so that a 1-pixel line looks as even as on the plane.
    BeginObject(Page);
    Put("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 525 525]\n"
        "/Resources << /ExtGState << /GS0 << /Type /ExtGState /SA true >> >> >>\n"
        "/Contents 4 0 R >>\nendobj\n");
    BeginObject(Content);
    Put("<< /Length 5 0 R /Filter /FlateDecode >>\nstream\n");

    m_content.Write("/GS0 gs 1 J 1 j\n"
                    "0.0075 0 0 -0.0075 0 525 cm\n");
    if (background == Background::White)
        m_content.Write("1 g 0 0 70000 70000 re f\n");
}

void PdfCanvas::DrawSegment(const plane::TVector3& start, const plane::TVector3& end,
    plane::Rgb colour, std::int32_t penWidth)
{
    m_runs.Draw(*this, start, end, colour, penWidth);
}

void PdfCanvas::Finish()
{
    m_runs.End(*this);
    m_content.Finish();
    const std::uint64_t length = m_content.written();
    m_offset += length;
    Put("\nendstream\nendobj\n");

    char text[24];
    BeginObject(ContentLength);
    Put(Spell(length, text));
    Put("\nendobj\n");
    BeginObject(Info);
    Put("<<");
    if (!m_information.producer.empty())
        Put(" /Producer " + LiteralString(m_information.producer));
    if (!m_information.creationDate.empty())
        Put(" /CreationDate " + LiteralString(m_information.creationDate));
    Put(" >>\nendobj\n");

    // Each entry of the table is 20 bytes: a 10-digit offset, the generation, its use and a
    // two-character end of line.
    const std::uint64_t table = m_offset;
    Put("xref\n0 7\n0000000000 65535 f \n");
    for (const std::uint64_t offset : m_objectOffsets) {
        const std::string_view digits = Spell(offset, text);
        Put(std::string(10 - digits.size(), '0'));
        Put(digits);
        Put(" 00000 n \n");
    }
    Put("trailer\n<< /Size 7 /Root 1 0 R /Info 6 0 R >>\nstartxref\n");
    Put(Spell(table, text));
    Put("\n%%EOF\n");
    m_out.flush();
}

// A path is stroked with the colour and width set last, so only a change is written.
void PdfCanvas::BeginPath(plane::Rgb colour, std::int32_t width)
{
    if (!m_strokeSet || colour != m_strokeColour) {
        WriteColourComponent(colour.red);
        m_content.Write(" ");
        WriteColourComponent(colour.green);
        m_content.Write(" ");
        WriteColourComponent(colour.blue);
        m_content.Write(" RG\n");
    }
    if (!m_strokeSet || width != m_strokeWidth) {
        WriteInteger(std::int64_t { width } * static_cast<std::int64_t>(UnitsPerViewPixel));
        m_content.Write(" w\n");
    }
    m_strokeSet = true;
    m_strokeColour = colour;
    m_strokeWidth = width;
}

void PdfCanvas::EndPath()
{
    m_content.Write("S\n");
    m_pathVertices = 0;
}

// A subpath starts with its move and first vertex in one path, so that no path holds a lone
// move.
void PdfCanvas::MoveTo(ViewUnits point)
{
    if (m_pathVertices + 2 > PathVertices)
        EndPath();
    WritePoint(point, " m\n");
    m_afterMove = true;
}

// A full path is stroked, and the run goes on in the next from the last vertex written; only
// written vertices are touched, so merging and dots come out as without the split.
void PdfCanvas::WriteVertex(ViewUnits point)
{
    if (!m_afterMove && m_pathVertices >= PathVertices) {
        EndPath();
        WritePoint(m_written, " m\n");
    }
    WritePoint(point, " l\n");
    m_afterMove = false;
}

void PdfCanvas::WritePoint(ViewUnits point, std::string_view operation)
{
    WriteInteger(point.x);
    m_content.Write(" ");
    WriteInteger(point.y);
    m_content.Write(operation);
    m_written = point;
    ++m_pathVertices;
}

void PdfCanvas::WriteInteger(std::int64_t value)
{
    char text[24];
    const char* end = std::to_chars(text, text + sizeof text, value).ptr;
    m_content.Write({ text, static_cast<std::size_t>(end - text) });
}

// value / 255 with four decimals, trailing zeros dropped: close enough that every reader's
// rounding to 8 bits gives the value back.
void PdfCanvas::WriteColourComponent(std::uint8_t value)
{
    const int tenThousandths = (value * 10000 + 127) / 255;
    if (tenThousandths == 0 || tenThousandths == 10000) {
        m_content.Write(tenThousandths == 0 ? "0" : "1");
        return;
    }
    char text[5] = { '.', static_cast<char>('0' + tenThousandths / 1000),
        static_cast<char>('0' + tenThousandths / 100 % 10),
        static_cast<char>('0' + tenThousandths / 10 % 10),
        static_cast<char>('0' + tenThousandths % 10) };
    std::size_t length = 5;
    while (text[length - 1] == '0')
        --length;
    m_content.Write({ text, length });
}

void PdfCanvas::BeginObject(Object number)
{
    m_objectOffsets[number - Catalog] = m_offset;
    char text[24];
    Put(Spell(number, text));
    Put(" 0 obj\n");
}

void PdfCanvas::Put(std::string_view text)
{
    m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
    m_offset += text.size();
}

} // namespace app
