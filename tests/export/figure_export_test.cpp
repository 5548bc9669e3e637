#include "app/io/figure_export.h"

#include "app/core/plane_canvas.h"
#include "app/draw_command.h"
#include "app/io/file_error.h"
#include "fpu/floating_point_error.h"
#include "svg_document.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

namespace {

using app::PanelFields;
using app::Preset;

struct Segment {
    plane::TVector3 start, end;
    plane::Rgb colour;
    std::int32_t penWidth;
};

// Draws on the plane and keeps every segment.
class RecordingPlaneCanvas final : public lsystem::Canvas {
public:
    explicit RecordingPlaneCanvas(plane::Plane& plane)
        : m_canvas(plane)
    {
    }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        segments.push_back({ start, end, colour, penWidth });
        m_canvas.DrawSegment(start, end, colour, penWidth);
    }
    std::vector<Segment> segments;

private:
    app::PlaneCanvas m_canvas;
};

// Figures drawn one after another on the 700 × 700 plane as the program draws them, one random
// generator for the whole run, with the record the program keeps of each.
class LiveRun {
public:
    LiveRun() { plane.SetPlaneSize(700, 700); }

    // Clear: the plane turns white and forgets its figures, but not the line colour.
    void Clear()
    {
        plane.ClearPlane(255, 255, 255);
        figures.clear();
        canvas.segments.clear();
    }

    void Draw(const PanelFields& fields, std::uint64_t symbolLimit = UINT64_MAX)
    {
        app::DrawnFigure figure { fields, ".", random.seed(),
            { plane.LineRed, plane.LineGreen, plane.LineBlue }, symbolLimit };
        app::RunDraw(fields, ".", { plane, params, random }, canvas, symbolLimit);
        figures.push_back(figure);
    }

    plane::Plane plane;
    lsystem::DrawParams params;
    lsystem::RandomGenerator random;
    RecordingPlaneCanvas canvas { plane };
    std::vector<app::DrawnFigure> figures;
};

PanelFields FieldsOf(Preset preset, int count = -1, const char* random = "0")
{
    PanelFields fields;
    app::ApplyPreset(preset, ".", fields);
    fields.random = random;
    if (count >= 0)
        fields.substCount = count;
    return fields;
}

struct Draw {
    PanelFields fields;
    std::uint64_t symbolLimit = UINT64_MAX;
    bool clearFirst = false;
};

struct RunRow {
    const char* name;
    std::vector<Draw> draws;
};

const RunRow runs[] = {
    { "start-up Koch curve", { { PanelFields {} } } },
    { "a plant with random amplitude over a curve, then a curve keeping the plant's colour",
        { { PanelFields {} }, { FieldsOf(Preset::Plant1, -1, "0.05") },
            { FieldsOf(Preset::KochCurve, 1) } } },
    { "after a Clear, a curve keeping the colour of the plant drawn before",
        { { FieldsOf(Preset::Plant1) }, { FieldsOf(Preset::KochCurve, 1), UINT64_MAX, true } } },
    { "a figure stopped after 5000 symbols", { { FieldsOf(Preset::Plant2), 5000 } } },
    { "wide pens over the edge", { { FieldsOf(Preset::Plant3, 3, "0.1") } } },
};

// The first pixel where the image differs from the raster, or none.
std::optional<QPoint> FirstDifference(const QImage& read, const plane::Raster& raster)
{
    if (read.width() != raster.width() || read.height() != raster.height())
        return QPoint(-1, -1);
    const QImage image = read.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) {
            const plane::Rgb pixel = raster.Pixel(x, y);
            if (image.pixel(x, y) != qRgb(pixel.red, pixel.green, pixel.blue))
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

class Export : public testing::Test {
protected:
    QString PathOf(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }
    QTemporaryDir directory;
};

TEST_F(Export, PngAt700IsThePlanePixelForPixel)
{
    for (const RunRow& row : runs) {
        SCOPED_TRACE(row.name);
        LiveRun run;
        for (const Draw& draw : row.draws) {
            if (draw.clearFirst)
                run.Clear();
            run.Draw(draw.fields, draw.symbolLimit);
        }

        app::SavePng(PathOf("plane.png"), run.plane.raster());
        EXPECT_EQ(FirstDifference(QImage(PathOf("plane.png")), run.plane.raster()), std::nullopt);

        const app::ReplayReport report = app::RenderPng(PathOf("again.png"), run.figures, 700);
        EXPECT_EQ(FirstDifference(QImage(PathOf("again.png")), run.plane.raster()), std::nullopt);
        EXPECT_EQ(report.segments, run.canvas.segments.size());
    }
}

TEST_F(Export, LargerPngScalesTheMappingAndThePens)
{
    struct Row {
        const char* name;
        PanelFields fields;
        int size;
    };
    const Row rows[] = {
        { "Koch curve, turned, at twice the size", PanelFields {}, 1400 },
        { "Plant 1, wide pens narrowing, at twice the size", FieldsOf(Preset::Plant1), 1400 },
        { "Plant 2 with random amplitude at three times the size",
            FieldsOf(Preset::Plant2, 4, "0.02"), 2100 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LiveRun run;
        run.Draw(row.fields);

        // The segments drawn live, mapped onto the larger plane with the pen of the live plane
        // (a negative width keeps the last, 0 draws as 1) times the scale.
        const int scale = row.size / 700;
        plane::Plane expected;
        expected.SetPlaneSize(row.size, row.size);
        expected.SetWorldWindow(run.plane.X1, run.plane.X2, run.plane.Y1, run.plane.Y2);
        std::int32_t width = 1;
        for (const Segment& segment : run.canvas.segments) {
            if (segment.penWidth >= 0)
                width = segment.penWidth;
            expected.SetPenWidth(std::max(width, 1) * scale);
            expected.DrawLine(segment.start, segment.end, segment.colour.red, segment.colour.green,
                segment.colour.blue);
        }

        app::RenderPng(PathOf("large.png"), run.figures, row.size);
        EXPECT_EQ(FirstDifference(QImage(PathOf("large.png")), expected.raster()), std::nullopt);
    }
}

// Pixels that are not white, within `reach` pixels of a pixel of the other picture that is not
// white either, as a share of them.
double ShareNearInk(const QImage& from, const QImage& to, int reach)
{
    const auto ink
        = [](QRgb pixel) { return 765 - qRed(pixel) - qGreen(pixel) - qBlue(pixel) > 150; };
    std::int64_t inked = 0;
    std::int64_t near = 0;
    for (int y = 0; y < from.height(); ++y) {
        for (int x = 0; x < from.width(); ++x) {
            if (!ink(from.pixel(x, y)))
                continue;
            ++inked;
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy) {
                for (int dx = -reach; dx <= reach && !found; ++dx)
                    found = to.valid(x + dx, y + dy) && ink(to.pixel(x + dx, y + dy));
            }
            near += found;
        }
    }
    return inked == 0 ? 0.0 : static_cast<double>(near) / static_cast<double>(inked);
}

TEST_F(Export, SvgHoldsTheFiguresAndLooksLikeThePlane)
{
    LiveRun run;
    run.Draw(PanelFields {});
    run.Draw(FieldsOf(Preset::Plant1, -1, "0.05"));
    run.Draw(FieldsOf(Preset::KochIsland, 4)); // a run longer than one path holds

    const app::ReplayReport report = app::SaveSvg(PathOf("figures.svg"), run.figures);
    EXPECT_EQ(report.segments, run.canvas.segments.size());
    QFile file(PathOf("figures.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const SvgDocument document = ReadSvg(file.readAll());
    ASSERT_TRUE(document.wellFormed);
    EXPECT_EQ(document.viewBox, QStringLiteral("0 0 700 700"));

    std::set<QString> liveColours, liveWidths, colours, widths;
    for (const Segment& segment : run.canvas.segments) {
        liveColours.insert(QStringLiteral("#%1").arg(
            (segment.colour.red << 16) | (segment.colour.green << 8) | segment.colour.blue, 6, 16,
            QLatin1Char('0')));
        if (segment.penWidth >= 0)
            liveWidths.insert(QString::number(std::max(segment.penWidth, 1)));
    }
    for (const SvgPath& path : document.paths) {
        colours.insert(path.stroke);
        widths.insert(path.strokeWidth);
    }
    EXPECT_EQ(colours, liveColours);
    EXPECT_EQ(widths, liveWidths);

    const QString converter = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (converter.isEmpty())
        GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    ASSERT_EQ(QProcess::execute(converter,
                  { PathOf("figures.svg"), QStringLiteral("-o"), PathOf("figures.png") }),
        0);
    const QImage rendered(PathOf("figures.png"));
    const plane::Raster& raster = run.plane.raster();
    const QImage live(
        raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888);
    EXPECT_GT(ShareNearInk(live, rendered, 1), 0.998);
    EXPECT_GT(ShareNearInk(rendered, live, 1), 0.998);
}

TEST_F(Export, FailuresRaiseAndLeaveExistingFilesAsTheyWere)
{
    PanelFields failing;
    failing.x2 = failing.x1;
    QFile old(PathOf("old.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    QFile::copy(PathOf("old.png"), PathOf("old.svg"));
    const QStringList before = QDir(directory.path()).entryList(QDir::AllEntries | QDir::Hidden);

    struct Row {
        const char* name;
        const char* file;
        PanelFields fields;
        bool fileError;
    };
    const Row rows[] = {
        { "a folder that does not exist", "missing/figure.png", PanelFields {}, true },
        { "a name ending with a dot", "figure.", PanelFields {}, true },
        { "an extension that is neither PNG nor SVG", "figure.jpg", PanelFields {}, true },
        { "a figure that fails before the PNG is written", "old.png", failing, false },
        { "a figure that fails while the SVG is written", "old.svg", failing, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = PathOf(row.file);
        try {
            app::DrawnFigure figure;
            figure.fields = row.fields;
            app::SaveFigures(app::ImageFileFor(path), { figure }, 700);
            ADD_FAILURE() << "nothing was raised";
        } catch (const app::FileError& error) {
            EXPECT_TRUE(row.fileError);
            const QString message = QString::fromUtf8(error.what());
            EXPECT_TRUE(
                message.contains(QStringLiteral("\"%1\": ").arg(QDir::toNativeSeparators(path))))
                << error.what();
            EXPECT_FALSE(message.endsWith(QStringLiteral(": "))) << error.what();
        } catch (const fpu::FloatingPointError&) {
            EXPECT_FALSE(row.fileError);
        }
        EXPECT_EQ(QDir(directory.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        for (const char* name : { "old.png", "old.svg" }) {
            QFile kept(PathOf(name));
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), QByteArray("old"));
        }
    }
}

TEST(ImageFileFor, FormatFollowsTheExtensionInAnyCase)
{
    struct Row {
        const char* path;
        const char* written;
        app::ImageFormat format;
    };
    const Row rows[] = {
        { "figure.png", "figure.png", app::ImageFormat::Png },
        { "figure.PNG", "figure.PNG", app::ImageFormat::Png },
        { "figure.Svg", "figure.Svg", app::ImageFormat::Svg },
        { "figure", "figure.png", app::ImageFormat::Png },
        { "dir.v2/figure", "dir.v2/figure.png", app::ImageFormat::Png },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const app::ImageFile file = app::ImageFileFor(QString::fromLatin1(row.path));
        EXPECT_EQ(file.path, QString::fromLatin1(row.written));
        EXPECT_EQ(file.format, row.format);
    }
}

} // namespace
