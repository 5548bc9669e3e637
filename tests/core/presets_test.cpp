#include "app/core/record/presets.h"

#include "app/core/record/panel_fields.h"

#include <gtest/gtest.h>

#include <cctype>
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

} // namespace
