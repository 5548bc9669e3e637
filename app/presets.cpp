#include "app/presets.h"

namespace app {

namespace {

constexpr double minusHalfPi = -1.5707963267948966;
constexpr double minusSixthPi = -0.5235987755982989;

constexpr plane::Rgb red { 255, 0, 0 };
constexpr plane::Rgb blue { 0, 0, 255 };
constexpr plane::Rgb green { 4, 123, 22 };

} // namespace

PresetFields PresetValues(Preset preset, const std::string& decimalSeparator)
{
    switch (preset) {
    case Preset::KochCurve:
        return { "F", "F+F--F+F", "G", "1/3", "60", 2, "-0.1", "1.1", "-0.4", "0.7" };
    case Preset::KochIsland:
        return { "F--F--F", "F+F--F+F", "G", "1/3", "60", 2, "-0.3", "0.9", "-0.1", "1.1" };
    case Preset::Sierpinski1:
        return { "F", "G-F-G", "F+G+F", "1/2", "60", 2, "-0.1", "1.1", "-0.1", "1.1" };
    case Preset::Sierpinski2:
        return { "F-G-G", "F-G+F+G-F", "GG", "1/2", "120", 2, "-0.1", "1.1", "-0.1", "1.1" };
    case Preset::Plant1:
        return { "F", "G(+F)G(-F)+F", "G", "2/3", "20", 5, "-1", "1", "-0.1", "1.9" };
    case Preset::Plant2:
        return { "F", "G(+F)G(-F)+F", "GG", "0.49", "20", 8, "-1", "1", "-0.1", "1.9" };
    case Preset::Plant3:
        // 22.5 degrees, written so that the user's locale reads it back.
        return { "F", "G-((F)+F)+G(+GF)-F", "GG", "20/46", "22" + decimalSeparator + "5", 7, "-0.6",
            "0.6", "-0.1", "1.1" };
    case Preset::Plant4:
        break;
    }
    return { "F", "G(+F)(-F)GF", "GG", "0.455", "26", std::nullopt, "-0.6", "0.6", "-0.1", "1.1" };
}

bool IsCurve(Preset preset)
{
    return preset == Preset::KochCurve || preset == Preset::KochIsland
        || preset == Preset::Sierpinski1 || preset == Preset::Sierpinski2;
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
    lsystem::WalkStyle style;
    style.colour = colour;
    style.narrowing = preset == Preset::Plant1 ? 6 : 3;
    const bool odd = (static_cast<std::uint32_t>(substCount) & 1u) != 0;
    if (preset == Preset::KochCurve)
        style.rotation = minusHalfPi;
    else if (preset == Preset::Sierpinski1)
        style.rotation = odd ? minusSixthPi : minusHalfPi;
    else if (preset == Preset::Sierpinski2)
        style.rotation = minusSixthPi;
    return style;
}

} // namespace app
