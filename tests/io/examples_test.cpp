#include "app/draw_command.h"
#include "app/lsystem_file.h"
#include "app/lsystem_io.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <string>
#include <variant>

namespace {

// The smallest rectangle holding every segment end.
class BoundsCanvas : public lsystem::Canvas {
public:
    void DrawSegment(
        const plane::TVector3& start, const plane::TVector3& end, plane::Rgb, std::int32_t) override
    {
        Add(start);
        Add(end);
        ++segments;
    }
    double left = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    double top = -std::numeric_limits<double>::infinity();
    int segments = 0;

private:
    void Add(const plane::TVector3& point)
    {
        left = std::min(left, point.x / point.w);
        right = std::max(right, point.x / point.w);
        bottom = std::min(bottom, point.y / point.w);
        top = std::max(top, point.y / point.w);
    }
};

QDir Examples()
{
    return QDir(QStringLiteral(LSYS_EXAMPLES_DIR), QStringLiteral("*.lsys"));
}

TEST(Examples, EveryFileDrawsInsideItsWindowAndSavesAsItReads)
{
    const QStringList files = Examples().entryList();
    EXPECT_GE(files.size(), 16);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const app::PanelFields fields = app::OpenLSystemFile(Examples().filePath(file), {});
        const app::LSystemParseResult again
            = app::ParseLSystem(app::FormatLSystem(fields), app::PanelFields {});
        EXPECT_EQ(std::get<app::PanelFields>(again), fields);

        plane::Plane plane;
        plane.SetPlaneSize(700, 700);
        lsystem::DrawParams params;
        lsystem::RandomGenerator random;
        BoundsCanvas canvas;
        ASSERT_NO_THROW(app::RunDraw(fields, ".", { plane, params, random }, canvas));
        EXPECT_GT(canvas.segments, 0);
        // Plant 4 keeps the panel's count, and its window suits counts from 7 up: the start
        // count 2 draws a taller plant.
        if (fields.preset == app::Preset::Plant4)
            continue;
        EXPECT_LT(plane.X1, canvas.left);
        EXPECT_GT(plane.X2, canvas.right);
        EXPECT_LT(plane.Y1, canvas.bottom);
        EXPECT_GT(plane.Y2, canvas.top);
    }
}

TEST(Examples, EveryPresetIsSavedAsThePanelSavesItRightAfterChoosingIt)
{
    std::set<std::string> texts;
    for (const QString& name : Examples().entryList()) {
        QFile file(Examples().filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        texts.insert(file.readAll().toStdString());
    }
    for (const app::Preset preset : app::AllPresets()) {
        app::PanelFields fields;
        app::ApplyPreset(preset, ".", fields);
        EXPECT_TRUE(texts.contains(app::FormatLSystem(fields))) << app::PresetName(preset);
    }
}

} // namespace
