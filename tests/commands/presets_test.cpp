#include "app/presets.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using app::Preset;

constexpr Preset allPresets[] = { Preset::KochCurve, Preset::KochIsland, Preset::Sierpinski1,
    Preset::Sierpinski2, Preset::Plant1, Preset::Plant2, Preset::Plant3, Preset::Plant4 };

TEST(Presets, ColourFollowsTheKindAndTheCount)
{
    const plane::Rgb red { 255, 0, 0 }, blue { 0, 0, 255 }, green { 4, 123, 22 };
    for (Preset preset : allPresets) {
        for (int n = 0; n <= 10; ++n) {
            SCOPED_TRACE(testing::Message() << "preset " << static_cast<int>(preset) << " n " << n);
            const std::optional<plane::Rgb> colour = app::LineColour(preset, n);
            if (!app::IsCurve(preset))
                EXPECT_EQ(colour, green);
            else if (n == 2 || n == 4 || n == 6 || n == 8)
                EXPECT_EQ(colour, red);
            else if (n == 3 || n == 5 || n == 7)
                EXPECT_EQ(colour, blue);
            else
                EXPECT_EQ(colour, std::nullopt);
        }
    }
}

TEST(Presets, StartPenWidth)
{
    EXPECT_EQ(app::StartPenWidth(Preset::KochCurve, 8), 1);
    EXPECT_EQ(app::StartPenWidth(Preset::Sierpinski2, 0), 1);
    EXPECT_EQ(app::StartPenWidth(Preset::Plant1, 0), 1);
    EXPECT_EQ(app::StartPenWidth(Preset::Plant1, 5), 10);
    EXPECT_EQ(app::StartPenWidth(Preset::Plant2, 8), 16);
    EXPECT_EQ(app::StartPenWidth(Preset::Plant4, 10), 20);
}

TEST(Presets, TurnAndNarrowing)
{
    struct Row {
        Preset preset;
        int count;
        std::optional<double> rotation;
        int narrowing;
    };
    const Row rows[] = {
        { Preset::KochCurve, 2, -1.5707963267948966, 3 },
        { Preset::KochIsland, 2, std::nullopt, 3 },
        { Preset::Sierpinski1, 2, -1.5707963267948966, 3 },
        { Preset::Sierpinski1, 3, -0.5235987755982989, 3 },
        { Preset::Sierpinski1, -1, -0.5235987755982989, 3 },
        { Preset::Sierpinski2, 2, -0.5235987755982989, 3 },
        { Preset::Sierpinski2, 3, -0.5235987755982989, 3 },
        { Preset::Plant1, 5, std::nullopt, 6 },
        { Preset::Plant2, 8, std::nullopt, 3 },
        { Preset::Plant3, 7, std::nullopt, 3 },
        { Preset::Plant4, 7, std::nullopt, 3 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(
            testing::Message() << "preset " << static_cast<int>(row.preset) << " n " << row.count);
        const lsystem::WalkStyle style = app::WalkStyleFor(row.preset, row.count, { 1, 2, 3 });
        EXPECT_EQ(style.rotation, row.rotation);
        EXPECT_EQ(style.narrowing, row.narrowing);
        EXPECT_EQ(style.colour, (plane::Rgb { 1, 2, 3 }));
    }
}

TEST(Presets, Plant3WritesItsAngleWithTheLocaleSeparator)
{
    EXPECT_EQ(app::PresetValues(Preset::Plant3, ",").angle, "22,5");
    EXPECT_EQ(app::PresetValues(Preset::Plant3, ".").angle, "22.5");
    EXPECT_EQ(app::PresetValues(Preset::Plant4, ".").substCount, std::nullopt);
    EXPECT_EQ(app::PresetValues(Preset::Plant2, ".").substCount, 8);
}

} // namespace
