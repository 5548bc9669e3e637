#include "app/svg_canvas.h"

#include "svg_document.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

constexpr plane::Rgb black { 0, 0, 0 };
constexpr plane::Rgb red { 255, 0, 0 };
constexpr plane::Rgb green { 4, 123, 22 };

struct Segment {
    double x0, y0, x1, y1;
    plane::Rgb colour = black;
    std::int32_t penWidth = 1;
};

struct ExpectedPath {
    const char* stroke;
    const char* width;
    const char* data;
};

// Draws the segments on an SvgCanvas whose mapping leaves points where they are (y down).
SvgDocument Draw(const std::vector<Segment>& segments)
{
    plane::Viewport identity;
    identity.ScaleX = 1.0;
    identity.ScaleY = -1.0;
    std::ostringstream out;
    app::SvgCanvas canvas(out, identity);
    for (const Segment& s : segments)
        canvas.DrawSegment({ s.x0, s.y0, 1.0 }, { s.x1, s.y1, 1.0 }, s.colour, s.penWidth);
    canvas.Finish();
    return ReadSvg(QByteArray::fromStdString(out.str()));
}

TEST(SvgCanvas, DocumentIsTheWhitePlaneWithRoundStrokes)
{
    const SvgDocument document = Draw({ { 0, 0, 1, 1 } });
    EXPECT_TRUE(document.wellFormed);
    EXPECT_EQ(document.viewBox, QStringLiteral("0 0 700 700"));
    EXPECT_EQ(document.background, QStringLiteral("#ffffff"));
    EXPECT_EQ(document.groupStyle, QStringLiteral("none round round"));
}

TEST(SvgCanvas, RunsOfOneColourAndWidthBecomeOnePathEach)
{
    struct Row {
        const char* name;
        std::vector<Segment> segments;
        std::vector<ExpectedPath> paths;
    };
    const Row rows[] = {
        { "collinear points merge, a turn keeps its vertex",
            { { 0, 0, 1, 0 }, { 1, 0, 2, 0 }, { 2, 0, 2, 3 }, { 2, 3, 2, 5 } },
            { { "#000000", "1", "M0 0L2 0 2 5" } } },
        { "a reversal keeps its vertex", { { 0, 0, 2, 0 }, { 2, 0, 1, 0 } },
            { { "#000000", "1", "M0 0L2 0 1 0" } } },
        { "a segment away from the end starts a subpath", { { 0, 0, 1, 0 }, { 5, 5, 6, 5 } },
            { { "#000000", "1", "M0 0L1 0M5 5L6 5" } } },
        { "a zero-length segment on its own is a dot", { { 3, 4, 3, 4 }, { 6, 6, 7, 6 } },
            { { "#000000", "1", "M3 4L3 4M6 6L7 6" } } },
        { "a zero-length segment within a line adds nothing",
            { { 0, 0, 1, 0 }, { 1, 0, 1, 0 }, { 1, 0, 1, 1 } },
            { { "#000000", "1", "M0 0L1 0 1 1" } } },
        { "a new colour or width starts a path",
            { { 0, 0, 1, 0, red }, { 1, 0, 2, 0, green }, { 2, 0, 3, 0, green, 3 } },
            { { "#ff0000", "1", "M0 0L1 0" }, { "#047b16", "1", "M1 0L2 0" },
                { "#047b16", "3", "M2 0L3 0" } } },
        { "a negative width keeps the pen, 0 draws as 1",
            { { 0, 0, 1, 0, green, 4 }, { 1, 0, 2, 0, green, -2 }, { 2, 0, 3, 1, green, 0 },
                { 3, 1, 4, 2, green, 1 } },
            { { "#047b16", "4", "M0 0L2 0" }, { "#047b16", "1", "M2 0L4 2" } } },
        { "two decimals, trailing zeros dropped", { { 0.25, -0.5, 10.1, 2.004 } },
            { { "#000000", "1", "M0.25 -0.5L10.1 2" } } },
        { "points that round together merge",
            { { 0, 0, 0.001, 0 }, { 0.001, 0, 0.002, 0 }, { 0.002, 0, 1, 0 } },
            { { "#000000", "1", "M0 0L1 0" } } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const SvgDocument document = Draw(row.segments);
        ASSERT_TRUE(document.wellFormed);
        ASSERT_EQ(document.paths.size(), row.paths.size());
        for (std::size_t i = 0; i < row.paths.size(); ++i) {
            EXPECT_EQ(document.paths[i].stroke, QString::fromLatin1(row.paths[i].stroke));
            EXPECT_EQ(document.paths[i].strokeWidth, QString::fromLatin1(row.paths[i].width));
            EXPECT_EQ(document.paths[i].data, QString::fromLatin1(row.paths[i].data));
        }
    }
}

} // namespace
