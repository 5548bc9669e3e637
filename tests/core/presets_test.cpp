#include "app/core/presets.h"

#include "app/core/panel_fields.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>

namespace {

using app::Preset;

TEST(Presets, ColourFollowsTheKindAndTheCount)
{
    const plane::Rgb red { 255, 0, 0 }, blue { 0, 0, 255 }, green { 4, 123, 22 };
    for (Preset preset : app::AllPresets()) {
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

TEST(Presets, ApplyFillsTheRecordAsTheRadioButtonFillsThePanel)
{
    struct Row {
        Preset preset;
        const char* angle;
        int count; // the count after applying, from a record that held 10
    };
    const Row rows[] = {
        { Preset::Plant3, "22.5", 7 },
        { Preset::Plant4, "26", 10 },
        { Preset::Plant2, "20", 8 },
        { Preset::KochCurve, "60", 2 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(app::PresetName(row.preset));
        app::PanelFields fields;
        fields.substCount = 10;
        fields.random = "1/50";
        fields.preset = Preset::Sierpinski2;
        app::ApplyPreset(row.preset, fields);
        app::PanelFields values;
        app::ApplyPreset(row.preset, values);
        EXPECT_EQ(fields.angle, row.angle);
        EXPECT_EQ(fields.substCount, row.count);
        EXPECT_EQ(fields.random, "1/50");
        EXPECT_EQ(fields.preset, row.preset);
        EXPECT_EQ(fields.axiom, values.axiom);
        EXPECT_EQ(fields.ruleF, values.ruleF);
        EXPECT_EQ(fields.y2, values.y2);
    }
}

TEST(Presets, NamesAreTheCaptionsInAnyCase)
{
    for (Preset preset : app::AllPresets()) {
        std::string name(app::PresetName(preset));
        SCOPED_TRACE(name);
        EXPECT_EQ(app::PresetFromName(name), preset);
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(app::PresetFromName(name), preset);
    }
    EXPECT_EQ(app::PresetName(Preset::Sierpinski1), "Sierp. Curve 1");
    for (const char* unknown : { "", "Plant 9", "Koch  Curve", " Plant 1", "Sierp Curve 1" })
        EXPECT_EQ(app::PresetFromName(unknown), std::nullopt) << unknown;
}

} // namespace
