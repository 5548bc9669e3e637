#include "app/core/record/presets.h"

#include "app/core/record/panel_fields.h"
#include "expr/ascii_case.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace app {

namespace {

constexpr double minusHalfPi = -1.5707963267948966;
constexpr double minusSixthPi = -0.5235987755982989;

constexpr plane::Rgb red { 255, 0, 0 };
constexpr plane::Rgb blue { 0, 0, 255 };
constexpr plane::Rgb green { 4, 123, 22 };

// Curves are drawn red or blue by the count with a thin pen; plants green, with a pen that
// starts at twice the count.
enum class Kind { Curve, Plant };

// The turn of every drawn segment, radians, for an even and for an odd count; none: no turn.
struct Turn {
    std::optional<double> even;
    std::optional<double> odd;
};

constexpr Turn noTurn {};

// One preset: its caption, the fields it fills in and what it decides for Draw and the walk.
struct PresetRow {
    Preset preset;
    std::string_view caption;
    std::string_view axiom;
    std::string_view ruleF;
    std::string_view ruleG;
    std::string_view length;
    std::string_view angle;
    std::optional<int> substCount; // none: the count stays as it is
    std::string_view x1;
    std::string_view x2;
    std::string_view y1;
    std::string_view y2;
    Kind kind;
    Turn turn;
    std::int32_t narrowing; // pen narrowing at the end of each run of drawing symbols
};

constexpr PresetRow presetTable[] = {
    { Preset::KochCurve, "Koch Curve", "F", "F+F--F+F", "G", "1/3", "60", 2, "-0.1", "1.1", "-0.4",
        "0.7", Kind::Curve, { minusHalfPi, minusHalfPi }, 3 },
    { Preset::KochIsland, "Koch Island", "F--F--F", "F+F--F+F", "G", "1/3", "60", 2, "-0.3", "0.9",
        "-0.1", "1.1", Kind::Curve, noTurn, 3 },
    { Preset::Sierpinski1, "Sierp. Curve 1", "F", "G-F-G", "F+G+F", "1/2", "60", 2, "-0.1", "1.1",
        "-0.1", "1.1", Kind::Curve, { minusHalfPi, minusSixthPi }, 3 },
    { Preset::Sierpinski2, "Sierp. Curve 2", "F-G-G", "F-G+F+G-F", "GG", "1/2", "120", 2, "-0.1",
        "1.1", "-0.1", "1.1", Kind::Curve, { minusSixthPi, minusSixthPi }, 3 },
    { Preset::Plant1, "Plant 1", "F", "G(+F)G(-F)+F", "G", "2/3", "20", 5, "-1", "1", "-0.1", "1.9",
        Kind::Plant, noTurn, 6 },
    { Preset::Plant2, "Plant 2", "F", "G(+F)G(-F)+F", "GG", "0.49", "20", 8, "-1", "1", "-0.1",
        "1.9", Kind::Plant, noTurn, 3 },
    { Preset::Plant3, "Plant 3", "F", "G-((F)+F)+G(+GF)-F", "GG", "20/46", "22.5", 7, "-0.6", "0.6",
        "-0.1", "1.1", Kind::Plant, noTurn, 3 },
    { Preset::Plant4, "Plant 4", "F", "G(+F)(-F)GF", "GG", "0.455", "26", std::nullopt, "-0.6",
        "0.6", "-0.1", "1.1", Kind::Plant, noTurn, 3 },
};

// The table is indexed by the enumeration.
constexpr bool RowsFollowTheEnumeration()
{
    for (std::size_t i = 0; i < std::size(presetTable); ++i) {
        if (presetTable[i].preset != static_cast<Preset>(i))
            return false;
    }
    return true;
}
static_assert(RowsFollowTheEnumeration());

constexpr auto allPresets = [] {
    std::array<Preset, std::size(presetTable)> presets {};
    for (std::size_t i = 0; i < presets.size(); ++i)
        presets[i] = presetTable[i].preset;
    return presets;
}();

const PresetRow& RowOf(Preset preset)
{
    return presetTable[static_cast<std::size_t>(preset)];
}

} // namespace

std::span<const Preset> AllPresets()
{
    return allPresets;
}

std::string_view PresetName(Preset preset)
{
    return RowOf(preset).caption;
}

std::optional<Preset> PresetFromName(std::string_view name)
{
    for (const PresetRow& row : presetTable) {
        if (expr::EqualIgnoringAsciiCase(row.caption, name))
            return row.preset;
    }
    return std::nullopt;
}

void ApplyPreset(Preset preset, PanelFields& fields)
{
    const PresetRow& row = RowOf(preset);
    fields.axiom = row.axiom;
    fields.ruleF = row.ruleF;
    fields.ruleG = row.ruleG;
    fields.length = row.length;
    fields.angle = row.angle;
    fields.substCount = row.substCount.value_or(fields.substCount);
    fields.x1 = row.x1;
    fields.x2 = row.x2;
    fields.y1 = row.y1;
    fields.y2 = row.y2;
    fields.preset = preset;
    // A preset is a whole L-system of the panel's: it has no rules beyond its F and G ones, and
    // its word is read with the panel's commands.
    fields.moreRules.clear();
    fields.commands = lsystem::CommandSet::Panel;
}

bool IsCurve(Preset preset)
{
    return RowOf(preset).kind == Kind::Curve;
}

std::optional<plane::Rgb> LineColour(Preset preset, std::int32_t substCount)
{
    if (!IsCurve(preset))
        return green;
    switch (substCount) {
    case 2:
    case 4:
    case 6:
    case 8:
        return red;
    case 3:
    case 5:
    case 7:
        return blue;
    default:
        return std::nullopt;
    }
}

std::int32_t StartPenWidth(Preset preset, std::int32_t substCount)
{
    if (IsCurve(preset) || substCount == 0)
        return 1;
    // Doubling wraps around like the 32-bit arithmetic it stands for.
    return static_cast<std::int32_t>(2u * static_cast<std::uint32_t>(substCount));
}

lsystem::WalkStyle WalkStyleFor(Preset preset, std::int32_t substCount, plane::Rgb colour)
{
    const PresetRow& row = RowOf(preset);
    const bool odd = (static_cast<std::uint32_t>(substCount) & 1u) != 0;
    lsystem::WalkStyle style;
    style.colour = colour;
    style.rotation = odd ? row.turn.odd : row.turn.even;
    style.narrowing = row.narrowing;
    return style;
}

} // namespace app
