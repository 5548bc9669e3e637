#include "app/io/figure_export.h"

#include "app/io/animation_job.h"

#include "app/core/jobs/sliced_walk.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/record/presets.h"
#include "app/core/session/drawing_session.h"
#include "app/io/file_error.h"
#include "fpu/floating_point_error.h"
#include "tests/core/session_fixture.h"
#include "tests/core/svg_document.h"
#include "tests/lsystem/recording_canvas.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace {

using app::PanelFields;
using app::Preset;
using lsystem::RecordedSegment;

using test_support::PresetFields;
using test_support::Session;

// The segments of the figures, each walked from its record with a generator of its own.
std::vector<RecordedSegment> SegmentsOf(const std::vector<app::DrawnFigure>& figures)
{
    lsystem::RecordingCanvas canvas;
    for (const app::DrawnFigure& figure : figures) {
        lsystem::RandomGenerator random(figure.seed);
        app::SlicedWalk walk(
            figure.walk.params, figure.walk.style, random, canvas, figure.symbolsWalked);
        walk.RunSlice(app::SlicedWalk::Clock::time_point::max());
    }
    return canvas.segments;
}

struct Draw {
    PanelFields fields;
    bool stoppedAfterASlice = false;
    bool clearFirst = false;
};

struct RunRow {
    const char* name;
    std::vector<Draw> draws;
};

const RunRow runs[] = {
    { "start-up Koch curve", { { PanelFields {} } } },
    { "a plant with random amplitude over a curve, then a curve keeping the plant's colour",
        { { PanelFields {} }, { PresetFields(Preset::Plant1, "0.05") },
            { PresetFields(Preset::KochCurve, "0", 1) } } },
    { "after a Clear, a curve keeping the colour of the plant drawn before",
        { { PresetFields(Preset::Plant1) },
            { PresetFields(Preset::KochCurve, "0", 1), false, true } } },
    { "a figure stopped after a slice", { { PresetFields(Preset::Plant2), true } } },
    { "wide pens over the edge", { { PresetFields(Preset::Plant3, "0.1", 3) } } },
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
        Session run;
        for (const Draw& draw : row.draws) {
            if (draw.clearFirst)
                run.session.Clear();
            run.session.Draw(draw.fields);
            if (draw.stoppedAfterASlice) {
                run.session.RunSlice(app::DrawingSession::Clock::now());
                run.session.Stop();
            }
            run.session.RunToEnd();
        }

        app::SavePng(PathOf("plane.png"), run.plane.raster());
        EXPECT_EQ(FirstDifference(QImage(PathOf("plane.png")), run.plane.raster()), std::nullopt);

        const app::ReplayReport report = app::SaveFigures(
            app::ImageFileFor(PathOf("again.png")), run.session.figures(), app::PlaneSize);
        EXPECT_EQ(FirstDifference(QImage(PathOf("again.png")), run.plane.raster()), std::nullopt);
        EXPECT_EQ(report.segments, SegmentsOf(run.session.figures()).size());
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
        { "Plant 1, wide pens narrowing, at twice the size", PresetFields(Preset::Plant1), 1400 },
        { "Plant 2 with random amplitude at three times the size",
            PresetFields(Preset::Plant2, "0.02", 4), 2100 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Session run;
        run.Draw(row.fields);

        // The segments drawn live, mapped onto the larger plane with the pen of the live plane
        // (a negative width keeps the last, 0 draws as 1) times the scale.
        const int scale = row.size / app::PlaneSize;
        plane::Plane expected;
        expected.SetPlaneSize(row.size, row.size);
        const app::WorldWindow window = *run.session.shownWindow();
        expected.SetWorldWindow(window.x1, window.x2, window.y1, window.y2);
        std::int32_t width = 1;
        for (const RecordedSegment& segment : SegmentsOf(run.session.figures())) {
            if (segment.penWidth >= 0)
                width = segment.penWidth;
            expected.SetPenWidth(std::max(width, 1) * scale);
            expected.DrawLine(segment.start, segment.end, segment.colour.red, segment.colour.green,
                segment.colour.blue);
        }

        app::SaveFigures(app::ImageFileFor(PathOf("large.png")), run.session.figures(), row.size);
        EXPECT_EQ(FirstDifference(QImage(PathOf("large.png")), expected.raster()), std::nullopt);
    }
}

// What a PNG shows of a black figure, each pixel read as the share of ink over white.
struct InkSurvey {
    QRect extent; // of the pixels at least half ink
    std::int64_t shades = 0; // pixels between a tenth and nine tenths ink
    int minAlpha = 255;
    int maxAlpha = 0;
};

InkSurvey SurveyInk(const QImage& image)
{
    InkSurvey survey;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const double ink = qAlpha(pixel) / 255.0 * (1.0 - qGray(pixel) / 255.0);
            if (ink >= 0.5)
                survey.extent |= QRect(x, y, 1, 1);
            survey.shades += ink > 0.1 && ink < 0.9;
            survey.minAlpha = std::min(survey.minAlpha, qAlpha(pixel));
            survey.maxAlpha = std::max(survey.maxAlpha, qAlpha(pixel));
        }
    }
    return survey;
}

// Smooth and transparent PNGs are painted, against the plain PNG at the same size: the same ink
// extent (within a pixel), shades only when smooth, and a background of alpha 0 behind opaque
// ink only when transparent.
TEST_F(Export, SmoothAndTransparentPngsKeepTheInkOfThePlainOne)
{
    struct Row {
        const char* name;
        app::PictureStyle style;
        int size;
    };
    const Row rows[] = {
        { "smooth", { true, false }, app::PlaneSize },
        { "transparent", { false, true }, app::PlaneSize },
        { "smooth and transparent, twice the size", { true, true }, 2 * app::PlaneSize },
    };
    Session run;
    run.Draw(PresetFields(Preset::KochCurve, "0", 1)); // black lines, two of them at 60 degrees
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        app::SaveFigures(app::ImageFileFor(PathOf("plain.png")), run.session.figures(), row.size);
        app::SaveFigures(
            app::ImageFileFor(PathOf("styled.png")), run.session.figures(), row.size, row.style);
        const InkSurvey plain = SurveyInk(QImage(PathOf("plain.png")));
        const InkSurvey styled = SurveyInk(QImage(PathOf("styled.png")));
        ASSERT_FALSE(plain.extent.isEmpty());
        EXPECT_EQ(plain.shades, 0);
        EXPECT_NEAR(styled.extent.left(), plain.extent.left(), 1);
        EXPECT_NEAR(styled.extent.top(), plain.extent.top(), 1);
        EXPECT_NEAR(styled.extent.right(), plain.extent.right(), 1);
        EXPECT_NEAR(styled.extent.bottom(), plain.extent.bottom(), 1);
        // How many pixels QPainter shades along the lines is its own affair: that it shades
        // some hundreds is all that is the program's.
        if (row.style.smooth)
            EXPECT_GT(styled.shades, 100);
        else
            EXPECT_EQ(styled.shades, 0);
        EXPECT_EQ(styled.minAlpha, row.style.transparent ? 0 : 255);
        EXPECT_EQ(styled.maxAlpha, 255);
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

TEST_F(Export, SvgHoldsTheFiguresInRunsOfTheirColoursAndPens)
{
    Session run;
    run.Draw(PanelFields {});
    run.Draw(PresetFields(Preset::Plant1, "0.05"));
    run.Draw(PresetFields(Preset::KochIsland, "0", 4)); // a run longer than one path holds

    const std::vector<RecordedSegment> segments = SegmentsOf(run.session.figures());
    const app::ReplayReport report = app::SaveFigures(
        app::ImageFileFor(PathOf("figures.svg")), run.session.figures(), app::PlaneSize);
    EXPECT_EQ(report.segments, segments.size());
    QFile file(PathOf("figures.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const SvgDocument document = ReadSvg(file.readAll());
    ASSERT_TRUE(document.wellFormed);
    EXPECT_EQ(document.viewBox, QStringLiteral("0 0 700 700"));

    std::set<QString> liveColours, liveWidths, colours, widths;
    for (const RecordedSegment& segment : segments) {
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
}

// The PDF opens in poppler with nothing to complain of: one page of the SVG's 700 pixels at 96
// per inch (525 points).
TEST_F(Export, PdfIsOneSquarePage)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) not installed";
    Session run;
    run.Draw(PresetFields(Preset::Plant1, "0.05"));
    const app::ReplayReport report = app::SaveFigures(
        app::ImageFileFor(PathOf("figure.pdf")), run.session.figures(), app::PlaneSize);
    EXPECT_EQ(report.segments, SegmentsOf(run.session.figures()).size());
    QProcess info;
    info.start(pdfinfo, { PathOf("figure.pdf") });
    ASSERT_TRUE(info.waitForFinished());
    EXPECT_EQ(info.exitCode(), 0);
    EXPECT_EQ(info.readAllStandardError(), QByteArray());
    const QString output = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(output.contains(
        QRegularExpression(QStringLiteral("^Pages: +1$"), QRegularExpression::MultilineOption)))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QRegularExpression(
        QStringLiteral("^Page size: +525 x 525 pts$"), QRegularExpression::MultilineOption)))
        << output.toStdString();
}

// Vector pictures, rasterised by other programs at the plane's size, put ink where the plane does
// (within a pixel: they are not rounded to pixels).
TEST_F(Export, VectorPicturesLookLikeThePlane)
{
    Session run;
    run.Draw(PanelFields {});
    run.Draw(PresetFields(Preset::Plant1, "0.05"));
    // A run longer than one SVG path and one PDF path hold.
    run.Draw(PresetFields(Preset::KochIsland, "0", 6));
    const plane::Raster& raster = run.plane.raster();
    const QImage live(
        raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888);

    struct Row {
        const char* file;
        const char* tool;
        const char* package;
        QStringList arguments; // IN the picture, OUT the PNG less its extension
    };
    const Row rows[] = {
        { "figures.svg", "rsvg-convert", "librsvg2-bin", { "IN", "-o", "OUT.png" } },
        { "figures.pdf", "pdftoppm", "poppler-utils",
            { "-png", "-r", "96", "-singlefile", "IN", "OUT" } },
    };
    QStringList missing;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const QString tool = QStandardPaths::findExecutable(QString::fromLatin1(row.tool));
        if (tool.isEmpty()) {
            missing << QStringLiteral("%1 (%2)").arg(row.tool, row.package);
            continue;
        }
        const QString picture = PathOf(row.file);
        app::SaveFigures(app::ImageFileFor(picture), run.session.figures(), app::PlaneSize);
        QStringList arguments = row.arguments;
        arguments.replaceInStrings(QStringLiteral("IN"), picture);
        arguments.replaceInStrings(QStringLiteral("OUT"), PathOf("rendered"));
        ASSERT_EQ(QProcess::execute(tool, arguments), 0);
        const QImage rendered(PathOf("rendered.png"));
        ASSERT_EQ(rendered.size(), live.size());
        // Another program's rasteriser covers pixels of its own choosing where a line only
        // grazes them; a share near all of them, not an exact count, is what follows.
        EXPECT_GT(ShareNearInk(live, rendered, 1), 0.998);
        EXPECT_GT(ShareNearInk(rendered, live, 1), 0.998);
        QFile::remove(PathOf("rendered.png"));
    }
    if (!missing.isEmpty())
        GTEST_SKIP() << missing.join(QStringLiteral(", ")).toStdString() << " not installed";
}

TEST_F(Export, FailuresRaiseAndLeaveExistingFilesAsTheyWere)
{
    // Drawn on the plane, its one segment overflows.
    PanelFields failing;
    failing.x1 = failing.y1 = "0";
    failing.x2 = failing.y2 = "1";
    failing.preset = Preset::Plant2;
    failing.ruleF = "F";
    failing.length = "15*10^307";
    failing.substCount = 1;
    QFile old(PathOf("old.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    QFile::copy(PathOf("old.png"), PathOf("old.svg"));
    QFile::copy(PathOf("old.png"), PathOf("old.pdf"));
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
        { "an extension of no format written", "figure.jpg", PanelFields {}, true },
        { "a figure that fails before the PNG is written", "old.png", failing, false },
        { "a figure that fails while the SVG is written", "old.svg", failing, false },
        { "a figure that fails while the PDF is drawn", "old.pdf", failing, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = PathOf(row.file);
        try {
            const app::DrawnFigure figure = app::PrepareFigure(row.fields, 0, {}, app::PlaneSize);
            app::SaveFigures(app::ImageFileFor(path), { figure }, app::PlaneSize);
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
        for (const char* name : { "old.png", "old.svg", "old.pdf" }) {
            QFile kept(PathOf(name));
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), QByteArray("old"));
        }
    }
}

// Saving a picture or an animation is a task of the session: stopped after a slice, it has
// written nothing and left the old file as it was, with no temporary file beside it.
TEST_F(Export, ASaveStoppedHalfwayLeavesTheOldFile)
{
    using MakeJob
        = std::function<std::unique_ptr<app::SessionJob>(const QString&, app::DrawnFigure)>;
    const auto picture = [](int size) -> MakeJob {
        return [size](const QString& path, app::DrawnFigure figure) {
            return std::make_unique<app::PictureJob>(
                app::ImageFileFor(path), std::vector { std::move(figure) }, size);
        };
    };
    const auto animation = [](app::AnimationSettings settings) -> MakeJob {
        return [settings](const QString& path, app::DrawnFigure figure) {
            return std::make_unique<app::AnimationJob>(
                path, [&] { return app::AnimationStepsFor(figure, settings); }, settings);
        };
    };
    struct Row {
        const char* name;
        const char* file;
        PanelFields fields;
        MakeJob job;
    };
    const Row rows[] = {
        { "SVG of Plant 3 at 10", "old.svg", PresetFields(Preset::Plant3, "0", 10),
            picture(app::PlaneSize) },
        { "PDF of Plant 3 at 10", "old.pdf", PresetFields(Preset::Plant3, "0", 10),
            picture(app::PlaneSize) },
        { "PNG of Koch Island at 10, 2800 wide", "old.png",
            PresetFields(Preset::KochIsland, "0", 10), picture(2800) },
        { "the growth of Plant 3 to 9", "old.gif", PresetFields(Preset::Plant3, "0", 9),
            animation({ app::AnimationKind::Growth }) },
        { "the drawing of Plant 3 at 10 in 50 frames", "old.gif",
            PresetFields(Preset::Plant3, "0", 10), animation({ app::AnimationKind::Drawing, 50 }) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = PathOf(row.file);
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        const QStringList before
            = QDir(directory.path()).entryList(QDir::AllEntries | QDir::Hidden);

        Session run;
        run.session.Start(row.job(path, app::PrepareFigure(row.fields, 0, {}, app::PlaneSize)));
        EXPECT_FALSE(run.session.RunSlice(
            app::DrawingSession::Clock::now() + std::chrono::milliseconds(20)));
        EXPECT_GT(run.session.progress(), 0.0);
        run.session.Stop();

        EXPECT_FALSE(run.session.busy());
        EXPECT_EQ(QDir(directory.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("old"));
        old.close();
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
        { "figure.PDF", "figure.PDF", app::ImageFormat::Pdf },
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
