#include "app/core/pictures/svg_canvas.h"

#include "svg_document.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <utility>
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
SvgDocument Draw(const std::vector<Segment>& segments,
    std::size_t pathDataLimit = app::SvgCanvas::DefaultPathDataLimit,
    app::SvgCanvas::Background background = app::SvgCanvas::Background::White)
{
    plane::Viewport identity;
    identity.ScaleX = 1.0;
    identity.ScaleY = -1.0;
    std::ostringstream out;
    app::SvgCanvas canvas(out, pathDataLimit, background);
    canvas.SetMapping(identity);
    for (const Segment& s : segments)
        canvas.DrawSegment({ s.x0, s.y0, 1.0 }, { s.x1, s.y1, 1.0 }, s.colour, s.penWidth);
    canvas.Finish();
    return ReadSvg(QByteArray::fromStdString(out.str()));
}

TEST(SvgCanvas, DocumentIsThePlaneWithRoundStrokesOnWhiteOrNothing)
{
    using Background = app::SvgCanvas::Background;
    for (const auto& [background, fill] :
        { std::pair { Background::White, "#ffffff" }, std::pair { Background::None, "" } }) {
        SCOPED_TRACE(fill);
        const SvgDocument document
            = Draw({ { 0, 0, 1, 1 } }, app::SvgCanvas::DefaultPathDataLimit, background);
        EXPECT_TRUE(document.wellFormed);
        EXPECT_EQ(document.viewBox, QStringLiteral("0 0 700 700"));
        EXPECT_EQ(document.background, QString::fromLatin1(fill));
        EXPECT_EQ(document.groupStyle, QStringLiteral("none round round"));
        EXPECT_EQ(document.paths.size(), 1u);
    }
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

// What the paths stroke: each straight piece with its stroke and width, a dot as a piece of no
// length, read from "M x y" and "L x y x y ..." data.
using StrokedPiece = std::tuple<QString, QString, QString, QString>; // stroke, width, from, to

std::vector<StrokedPiece> PiecesOf(const SvgDocument& document)
{
    std::vector<StrokedPiece> pieces;
    for (const SvgPath& path : document.paths) {
        QString data = path.data;
        data.replace(QLatin1Char('M'), QStringLiteral(" M "))
            .replace(QLatin1Char('L'), QStringLiteral(" L "));
        const QStringList tokens = data.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QString at;
        bool move = false;
        for (qsizetype i = 0; i < tokens.size(); ++i) {
            if (tokens[i] == QLatin1String("M") || tokens[i] == QLatin1String("L")) {
                move = tokens[i] == QLatin1String("M");
                continue;
            }
            const QString point = tokens[i] + QLatin1Char(' ') + tokens.value(i + 1);
            ++i;
            if (!move)
                pieces.emplace_back(path.stroke, path.strokeWidth, at, point);
            at = point;
            move = false;
        }
    }
    return pieces;
}

TEST(SvgCanvas, LongRunsGoOnInTheNextPathAndDrawTheSame)
{
    constexpr std::size_t limit = 200;
    std::vector<Segment> winding, straight, apart;
    for (int i = 0; i < 400; ++i) {
        // A turn at every vertex.
        winding.push_back({ 1.25 * i, 3.0 * (i % 2), 1.25 * (i + 1), 3.0 * ((i + 1) % 2) });
        // Runs of three collinear segments that merge, steps up between them.
        const double x = i - i / 4;
        const double y = i / 4;
        const plane::Rgb colour = i / 150 % 2 == 0 ? black : red;
        straight.push_back(i % 4 == 3 ? Segment { x, y, x, y + 1, colour, 2 }
                                      : Segment { x, y, x + 1, y, colour, 2 });
        // Strokes that start elsewhere, every third one a dot.
        apart.push_back({ 3.0 * i, 1.0, 3.0 * i + (i % 3 == 0 ? 0 : 1), 2.0 });
    }
    const std::pair<const char*, const std::vector<Segment>&> rows[] = {
        { "a line turning at every vertex", winding },
        { "straight stretches and a colour that comes back", straight },
        { "strokes and dots apart", apart },
    };
    for (const auto& [name, segments] : rows) {
        SCOPED_TRACE(name);
        const SvgDocument whole = Draw(segments);
        const SvgDocument split = Draw(segments, limit);
        ASSERT_TRUE(split.wellFormed);
        // How many paths a run takes follows from the length of each point's text; that runs
        // longer than the limit go on in further paths is what the limit promises.
        EXPECT_GT(split.paths.size(), whole.paths.size() + 3);
        for (const SvgPath& path : split.paths)
            EXPECT_LE(static_cast<std::size_t>(path.data.size()), limit);
        EXPECT_EQ(PiecesOf(split), PiecesOf(whole));
    }
}

} // namespace
