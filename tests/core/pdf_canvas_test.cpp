#include "app/core/pictures/deflate_stream.h"
#include "app/core/pictures/pdf_canvas.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A whole zlib stream inflated; empty when it is none or does not end.
std::string Inflate(std::string compressed)
{
    z_stream zlib {};
    std::string inflated;
    int status = inflateInit(&zlib);
    zlib.next_in = reinterpret_cast<Bytef*>(compressed.data());
    zlib.avail_in = static_cast<uInt>(compressed.size());
    while (status == Z_OK) {
        char block[1 << 14];
        zlib.next_out = reinterpret_cast<Bytef*>(block);
        zlib.avail_out = sizeof block;
        status = inflate(&zlib, Z_NO_FLUSH);
        inflated.append(block, sizeof block - zlib.avail_out);
    }
    inflateEnd(&zlib);
    return status == Z_STREAM_END && zlib.avail_in == 0 ? inflated : std::string();
}

TEST(DeflateStream, InflatesToWhatWasWrittenInAnyPieces)
{
    std::string text, noise;
    for (int i = 0; i < 100000; ++i)
        text += std::to_string(i * 7919 % 70000) + ' ' + std::to_string(i) + " l\n";
    std::mt19937 random(7);
    for (int i = 0; i < 300000; ++i)
        noise += static_cast<char>(random());
    struct Row {
        const char* name;
        std::string bytes;
        std::size_t piece; // written this many bytes at a time
    };
    const Row rows[] = {
        { "nothing", "", 1 },
        { "path text of many blocks, a few bytes at a time", text, 13 },
        { "bytes that do not compress, blocks at once", noise, 3 * app::DeflateStream::BlockSize },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::ostringstream out;
        app::DeflateStream stream(out);
        for (std::size_t at = 0; at < row.bytes.size(); at += row.piece)
            stream.Write(std::string_view(row.bytes).substr(at, row.piece));
        stream.Finish();
        EXPECT_EQ(stream.written(), out.str().size());
        EXPECT_EQ(Inflate(out.str()), row.bytes);
    }
}

struct Segment {
    double x0, y0, x1, y1;
    plane::Rgb colour = {};
    std::int32_t penWidth = 1;
};

// What the tests read of a document: its page, its information and its content inflated, once
// every object stands where the cross-reference table says and the content is as long as its
// length object says.
struct PdfDocument {
    bool wellFormed = false;
    std::string page;
    std::string information;
    std::string content;
};

PdfDocument ReadPdf(const std::string& file)
{
    // The dictionary or number of object n, and the object that `key` refers to in `text`.
    std::vector<std::string> objects;
    const auto referred = [&objects](const std::string& text, const std::string& key) {
        const std::size_t at = text.find(key);
        const std::size_t n
            = at == std::string::npos ? 0 : std::stoul(text.substr(at + key.size()));
        return n == 0 || n > objects.size() ? std::string() : objects[n - 1];
    };
    PdfDocument document;
    const std::size_t table = std::stoul(file.substr(file.rfind("startxref\n") + 10));
    const std::size_t trailer = file.find("trailer\n", table);
    for (std::size_t entry = file.find(" f \n", table) + 4; entry < trailer; entry += 20) {
        const std::size_t offset = std::stoul(file.substr(entry, 10));
        const std::string head = std::to_string(objects.size() + 1) + " 0 obj\n";
        if (file.compare(offset, head.size(), head) != 0)
            return document;
        const std::size_t start = offset + head.size();
        objects.push_back(file.substr(start, file.find("endobj\n", start) - start));
    }
    const std::string trailerText = file.substr(trailer);
    document.page = referred(referred(referred(trailerText, "/Root "), "/Pages "), "/Kids [");
    document.information = referred(trailerText, "/Info ");
    const std::string stream = referred(document.page, "/Contents ");
    const std::size_t length = std::stoul("0" + referred(stream, "/Length "));
    const std::size_t start = stream.find("stream\n") + 7;
    if (stream.compare(start + length, std::string::npos, "\nendstream\n") != 0)
        return document;
    document.content = Inflate(stream.substr(start, length));
    document.wellFormed = file.starts_with("%PDF-1.4\n") && file.ends_with("%%EOF\n")
        && file.compare(table, 5, "xref\n") == 0 && !document.content.empty();
    return document;
}

// Draws the segments on a PdfCanvas whose mapping leaves points where they are (y down).
PdfDocument Draw(const std::vector<Segment>& segments,
    app::PdfCanvas::Background background = app::PdfCanvas::Background::White,
    const app::PdfCanvas::Information& information = {})
{
    plane::Viewport identity;
    identity.ScaleX = 1.0;
    identity.ScaleY = -1.0;
    std::ostringstream out;
    app::PdfCanvas canvas(out, background, information);
    canvas.SetMapping(identity);
    for (const Segment& s : segments)
        canvas.DrawSegment({ s.x0, s.y0, 1.0 }, { s.x1, s.y1, 1.0 }, s.colour, s.penWidth);
    canvas.Finish();
    return ReadPdf(out.str());
}

// The content's drawing after its start: the scale onto the page and the background.
std::string Drawing(const PdfDocument& document)
{
    const std::size_t start = document.content.find(" cm\n");
    const std::size_t background = document.content.find(" re f\n");
    return document.content.substr(background == std::string::npos ? start + 4 : background + 6);
}

TEST(PdfCanvas, DocumentIsOnePageOfTheViewOnWhiteOrNothing)
{
    using Background = app::PdfCanvas::Background;
    const app::PdfCanvas::Information information { "Lindenmayer (test)", "D:20240102030405Z" };
    for (const Background background : { Background::White, Background::None }) {
        const PdfDocument document = Draw({ { 0, 0, 1, 1 } }, background, information);
        ASSERT_TRUE(document.wellFormed);
        EXPECT_NE(document.page.find("/MediaBox [0 0 525 525]"), std::string::npos);
        EXPECT_NE(
            document.information.find("/Producer (Lindenmayer \\(test\\))"), std::string::npos);
        EXPECT_NE(
            document.information.find("/CreationDate (D:20240102030405Z)"), std::string::npos);
        // Hundredths of a view pixel onto points at 96 pixels per inch, y down.
        EXPECT_NE(
            document.content.find("1 J 1 j\n0.0075 0 0 -0.0075 0 525 cm\n"), std::string::npos);
        EXPECT_EQ(document.content.find("1 g 0 0 70000 70000 re f\n") != std::string::npos,
            background == Background::White);
    }
}

TEST(PdfCanvas, RunsSetTheirStrokeOnceAndMergeAsTheSvg)
{
    constexpr plane::Rgb red { 255, 0, 0 };
    constexpr plane::Rgb green { 4, 123, 22 };
    struct Row {
        const char* name;
        std::vector<Segment> segments;
        const char* drawing;
    };
    const Row rows[] = {
        { "collinear points merge, a turn keeps its vertex, a new start is a move",
            { { 0, 0, 1, 0 }, { 1, 0, 2, 0 }, { 2, 0, 2, 3.25 }, { 5, 5, 6, 5 } },
            "0 0 0 RG\n100 w\n0 0 m\n200 0 l\n200 325 l\n500 500 m\n600 500 l\nS\n" },
        { "a dot is a line to where it starts", { { 3, 4, 3, 4 } },
            "0 0 0 RG\n100 w\n300 400 m\n300 400 l\nS\n" },
        { "a colour or width sets only what changes, a negative width keeps the pen",
            { { 0, 0, 1, 0, red, 2 }, { 1, 0, 2, 0, green, -1 }, { 2, 0, 3, 0, green, 0 } },
            "1 0 0 RG\n200 w\n0 0 m\n100 0 l\nS\n.0157 .4824 .0863 RG\n100 0 m\n200 0 l\nS\n"
            "100 w\n200 0 m\n300 0 l\nS\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PdfDocument document = Draw(row.segments);
        ASSERT_TRUE(document.wellFormed);
        EXPECT_EQ(Drawing(document), row.drawing);
    }
}

// A run's path is stroked every PathVertices vertices and goes on from where it ended: the lines
// drawn are the segments, each once, turning at every vertex so that none merge.
TEST(PdfCanvas, LongRunsGoOnInTheNextPath)
{
    std::vector<Segment> winding;
    std::string lines;
    for (int i = 0; i < 10000; ++i) {
        winding.push_back({ 1.25 * i, 3.0 * (i % 2), 1.25 * (i + 1), 3.0 * ((i + 1) % 2) });
        lines += std::to_string(125 * i) + ' ' + std::to_string(300 * (i % 2)) + ' '
            + std::to_string(125 * (i + 1)) + ' ' + std::to_string(300 * ((i + 1) % 2)) + '\n';
    }
    const PdfDocument document = Draw(winding);
    ASSERT_TRUE(document.wellFormed);
    std::istringstream drawing(Drawing(document));
    std::string line, at, drawn;
    std::size_t vertices = 0, paths = 0;
    while (std::getline(drawing, line)) {
        const std::string point = line.substr(0, line.size() - 2);
        if (line.ends_with(" l"))
            drawn += at + ' ' + point + '\n';
        if (line.ends_with(" l") || line.ends_with(" m")) {
            at = point;
            EXPECT_LE(++vertices, app::PdfCanvas::PathVertices);
        }
        if (line == "S") {
            ++paths;
            vertices = 0;
        }
    }
    // 10 001 vertices, in paths of no more than PathVertices.
    EXPECT_GE(paths, 3u);
    EXPECT_EQ(drawn, lines);
}

} // namespace
