#include "app/core/record/presets.h"

#include "app/core/record/panel_fields.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/record/world_window.h"
#include "lsystem/turtle.h"
#include "tests/core/session_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <iterator>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

namespace {

using app::Preset;

// A preset sets every field of the record to its own but the random amplitude, and the count
// too but for Plant 4, which leaves it as it was; it has no more rules and the panel's commands.
TEST(Presets, ApplyFillsTheRecordButItsRandomAmplitude)
{
    for (Preset preset : app::AllPresets()) {
        SCOPED_TRACE(app::PresetName(preset));
        app::PanelFields fields;
        fields.substCount = 10;
        fields.random = "1/50";
        fields.moreRules = { { "X", "1", "F" } };
        fields.commands = lsystem::CommandSet::Fractint;
        fields.preset = preset == Preset::KochCurve ? Preset::Plant1 : Preset::KochCurve;
        app::ApplyPreset(preset, fields);
        app::PanelFields expected;
        app::ApplyPreset(preset, expected);
        expected.random = "1/50";
        if (preset == Preset::Plant4)
            expected.substCount = 10;
        else
            EXPECT_NE(expected.substCount, 10);
        EXPECT_EQ(fields, expected);
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

// The curves, walked whole, lie inside the window they set at every count; each plant at its own
// count, and Plant 4, which keeps the count, from Plant 3's seven up, whose window it shares.
TEST(Presets, EachFigureFitsItsWindow)
{
    for (Preset preset : app::AllPresets()) {
        const int own = test_support::PresetFields(preset).substCount;
        const int fewest = app::IsCurve(preset) ? 0 : preset == Preset::Plant4 ? 7 : own;
        const int most = app::IsCurve(preset) || preset == Preset::Plant4 ? 10 : own;
        for (int count = fewest; count <= most; ++count) {
            SCOPED_TRACE(std::string(app::PresetName(preset)) + " at " + std::to_string(count));
            const app::PreparedDraw draw = app::PrepareDraw(
                test_support::PresetFields(preset, "0", count), {}, app::PlaneSize);
            lsystem::RandomGenerator random;
            app::BoundsCanvas canvas;
            lsystem::TurtleWalk walk(draw.walk.params, draw.walk.style, random, canvas);
            while (!walk.Advance(std::numeric_limits<std::uint64_t>::max())) { }
            const app::WorldWindow bounds = canvas.bounds();
            const app::WorldWindow& window = draw.view.window;
            EXPECT_LT(bounds.x1, bounds.x2);
            EXPECT_GE(bounds.x1, window.x1);
            EXPECT_LE(bounds.x2, window.x2);
            EXPECT_GE(bounds.y1, window.y1);
            EXPECT_LE(bounds.y2, window.y2);
        }
    }
}

// At every count a preset's fields prepare without fault, with the starting pen and turn of the
// manual's table: the curves with a one-pixel pen, the plants with one of twice the count (at
// least a pixel) and no turn. (The colour by count is PreparedDraw's test.)
TEST(Presets, EachCountPreparesWithTheTablesPenAndTurn)
{
    constexpr double degree = std::numbers::pi / 180;
    const struct {
        Preset preset;
        std::optional<double> evenTurn; // degrees
        std::optional<double> oddTurn;
    } curves[] = {
        { Preset::KochCurve, -90, -90 },
        { Preset::KochIsland, std::nullopt, std::nullopt },
        { Preset::Sierpinski1, -90, -30 },
        { Preset::Sierpinski2, -30, -30 },
    };
    for (Preset preset : app::AllPresets()) {
        const auto curve = std::find_if(std::begin(curves), std::end(curves),
            [preset](const auto& row) { return row.preset == preset; });
        const bool isCurve = curve != std::end(curves);
        EXPECT_EQ(app::IsCurve(preset), isCurve) << app::PresetName(preset);
        for (int count = 0; count <= app::MaxSubstitutions; ++count) {
            SCOPED_TRACE(std::string(app::PresetName(preset)) + " at " + std::to_string(count));
            const app::PreparedDraw draw = app::PrepareDraw(
                test_support::PresetFields(preset, "0", count), {}, app::PlaneSize);
            const lsystem::WalkStyle& style = draw.walk.style;
            if (!isCurve) {
                EXPECT_EQ(draw.walk.params.PenWidth, count == 0 ? 1 : 2 * count);
                EXPECT_EQ(style.rotation, std::nullopt);
                continue;
            }
            EXPECT_EQ(draw.walk.params.PenWidth, 1);
            const std::optional<double> turn = count % 2 == 0 ? curve->evenTurn : curve->oddTurn;
            ASSERT_EQ(style.rotation.has_value(), turn.has_value());
            if (turn) {
                EXPECT_DOUBLE_EQ(*style.rotation, *turn * degree);
            }
        }
    }
}

} // namespace
