#include "app/draw_command.h"
#include "app/lsystem_file.h"
#include "app/lsystem_io.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <limits>
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

// "Sierp. Curve 1" is kept as "sierp-curve-1.lsys".
QString FileNameOf(app::Preset preset)
{
    std::string name;
    bool gap = false;
    for (const char c : app::PresetName(preset)) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            gap = true;
            continue;
        }
        if (gap && !name.empty())
            name += '-';
        gap = false;
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return QString::fromStdString(name + ".lsys");
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

TEST(Examples, PresetFilesAreWhatThePanelSavesRightAfterChoosingThePreset)
{
    for (const app::Preset preset : app::AllPresets()) {
        const QString name = FileNameOf(preset);
        SCOPED_TRACE(name.toStdString());
        QFile file(Examples().filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        app::PanelFields fields;
        app::ApplyPreset(preset, ".", fields);
        EXPECT_EQ(file.readAll().toStdString(), app::FormatLSystem(fields));
    }
}

} // namespace
