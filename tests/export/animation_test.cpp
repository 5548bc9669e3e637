// Animated GIFs of a figure: each frame, decoded by Qt's GIF reader, has the pixels of the PNG
// picture of what that frame stands for.

#include "app/core/record/presets.h"
#include "app/io/animation_job.h"
#include "app/io/figure_export.h"
#include "app/io/file_error.h"
#include "app/io/gif_encoder.h"
#include "gif_frames.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

app::DrawnFigure FigureOf(
    app::PanelFields fields, int count, std::uint32_t seed = 0, plane::Rgb colourBefore = {})
{
    fields.substCount = count;
    return app::PrepareFigure(fields, seed, colourBefore, app::PlaneSize);
}

app::DrawnFigure FigureOf(app::Preset preset, int count, const char* random = "0")
{
    app::PanelFields fields;
    app::ApplyPreset(preset, fields);
    fields.random = random;
    return FigureOf(fields, count);
}

class Animation : public testing::Test {
protected:
    QString PathOf(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }

    // The PNG picture of the figure, as a frame.
    QImage Picture(const app::DrawnFigure& figure, int size) const
    {
        app::SaveFigures(app::ImageFileFor(PathOf("picture.png")), { figure }, size);
        return AsFrame(QImage(PathOf("picture.png")));
    }

    QTemporaryDir directory;
};

// Frame k is the picture of step k: its records walked up to its symbols, on a raster of its own
// for a growth and, for a drawing, on the raster of the frames before.
TEST_F(Animation, EachFrameIsThePictureOfItsStep)
{
    struct Row {
        const char* name;
        app::DrawnFigure figure;
        app::AnimationSettings settings;
    };
    const auto seeded = [](const app::DrawnFigure& figure) {
        return FigureOf(figure.fields, figure.fields.substCount, 12345, { 0, 0, 255 });
    };
    const auto stopped = [](app::DrawnFigure figure) {
        figure.symbolsWalked = 100;
        return figure;
    };
    using app::AnimationKind;
    const Row rows[] = {
        { "the growth of a random Koch curve from a seed; counts 0 and 1 keep the colour before",
            seeded(FigureOf(app::Preset::KochCurve, 3, "0.05")), { AnimationKind::Growth } },
        { "the Koch curve at 3 in 7 frames", FigureOf(app::Preset::KochCurve, 3),
            { AnimationKind::Drawing, 7 } },
        { "Plant 1 with random amplitude, its wide pens narrowing, in 5 frames, 1050 wide",
            FigureOf(app::Preset::Plant1, 4, "0.05"), { AnimationKind::Drawing, 5, 1050 } },
        { "a figure Stop ended after 100 symbols, in 4 frames",
            stopped(FigureOf(app::Preset::Plant3, 5)), { AnimationKind::Drawing, 4 } },
        { "more frames than symbols: the first ones blank", FigureOf(app::Preset::KochCurve, 0),
            { AnimationKind::Drawing, 3 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        app::SaveAnimation(PathOf("animation.gif"), row.figure, row.settings);
        const DecodedGif gif = DecodeGif(PathOf("animation.gif"));
        ASSERT_TRUE(gif.readToEnd);

        const app::AnimationSteps steps = app::AnimationStepsFor(row.figure, row.settings);
        ASSERT_EQ(gif.frames.size(), steps.count());
        for (std::uint64_t k = 0; k < steps.count(); ++k) {
            SCOPED_TRACE(k);
            app::DrawnFigure shown = steps.Figures(k).at(0);
            shown.symbolsWalked = std::min(shown.symbolsWalked, steps.Symbols(k));
            EXPECT_TRUE(gif.frames[k] == Picture(shown, row.settings.size));
        }
    }
}

// A frame's palette holds its exact colours, 256 of them at most; a raster with more, which
// drawing never makes, is refused rather than written with other colours.
TEST_F(Animation, AFrameKeepsUpTo256ColoursExactly)
{
    for (const int colours : { 256, 257 }) {
        SCOPED_TRACE(colours);
        plane::Raster raster;
        raster.Resize(40, 40);
        for (int i = 0; i < colours - 1; ++i) {
            const plane::Rgb colour { static_cast<std::uint8_t>(i), 0, 0 };
            raster.DrawLine(i % 40, i / 40, i % 40, i / 40, colour, 1);
        }
        const QString path = PathOf("colours.gif");
        try {
            app::CheckedFile file(path);
            app::GifEncoder encoder(file, 40, 40);
            encoder.AddFrame(raster, { 0, 0, 40, 40 }, 10);
            encoder.Finish();
            file.Commit();
            EXPECT_EQ(colours, 256);
            const QImage expected(raster.bits(), 40, 40, raster.stride(), QImage::Format_RGB888);
            EXPECT_TRUE(DecodeGif(path).frames.at(0) == AsFrame(expected));
        } catch (const app::FileError& error) {
            EXPECT_EQ(colours, 257);
            EXPECT_STREQ(error.what(),
                qPrintable(
                    QStringLiteral("Could not save \"%1\": a frame has more than 256 colours")
                        .arg(path)));
        }
    }
}

} // namespace
