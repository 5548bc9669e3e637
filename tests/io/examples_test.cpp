#include "app/core/formats/lsystem_file.h"
#include "app/core/record/drawn_figure.h"
#include "app/core/record/presets.h"
#include "app/io/figure_export.h"
#include "app/io/lsystem_io.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

namespace {

QDir Examples()
{
    return QDir(QStringLiteral(LSYS_EXAMPLES_DIR), QStringLiteral("*.lsys"));
}

// The pixels that are not white on the image's outermost rows and columns, and in all of it.
struct Ink {
    int border = 0;
    int total = 0;
};

Ink InkOf(const QImage& image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255))
                continue;
            ++ink.total;
            ink.border += x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
        }
    }
    return ink;
}

// Each example as the command line draws it, at its own fields and seed on 700 pixels: the whole
// figure, none of it cut by the window's edge.
TEST(Examples, EveryFileShowsItsWholeFigureAndSavesAsItReads)
{
    const QTemporaryDir directory;
    const QStringList files = Examples().entryList();
    EXPECT_GE(files.size(), 16);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const app::PanelFields fields = app::OpenLSystemFile(Examples().filePath(file), {});
        const app::LSystemParseResult again
            = app::ParseLSystem(app::FormatLSystem(fields), app::PanelFields {});
        EXPECT_EQ(std::get<app::PanelFields>(again), fields);

        const QString picture = directory.filePath(file + QStringLiteral(".png"));
        app::SaveFigures(app::ImageFileFor(picture),
            { app::PrepareFigure(fields, fields.seed.value_or(0), {}, 700) }, 700);
        const Ink ink = InkOf(QImage(picture));
        EXPECT_GT(ink.total, 0);
        EXPECT_EQ(ink.border, 0);
    }
}

// The presets' files are what the panel saves right after choosing each, but for a window
// that frames the figure at the file's count where the preset's own does not (Plant 4).
TEST(Examples, EveryPresetIsSavedAsThePanelSavesItRightAfterChoosingIt)
{
    std::vector<std::pair<std::string, app::PanelFields>> examples;
    for (const QString& name : Examples().entryList()) {
        QFile file(Examples().filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        examples.emplace_back(
            file.readAll().toStdString(), app::OpenLSystemFile(Examples().filePath(name), {}));
    }
    for (const app::Preset preset : app::AllPresets()) {
        app::PanelFields fields;
        app::ApplyPreset(preset, fields);
        const bool saved = std::ranges::any_of(examples, [&fields](const auto& example) {
            const auto& [text, read] = example;
            app::PanelFields framed = fields;
            std::tie(framed.x1, framed.x2, framed.y1, framed.y2)
                = std::tie(read.x1, read.x2, read.y1, read.y2);
            return app::FormatLSystem(framed) == text;
        });
        EXPECT_TRUE(saved) << app::PresetName(preset);
    }
}

} // namespace
