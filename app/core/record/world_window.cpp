#include "app/core/record/world_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace app {

namespace {

constexpr int SignificantDigits = 6;

enum class Rounding { Down, Up };

// `value` rounded to SignificantDigits digits towards the given side, as a plain number.
std::string FormatBound(double value, Rounding rounding)
{
    if (value == 0.0 || !std::isfinite(value))
        return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::max(0, SignificantDigits - 1 - magnitude);
    const double unit = std::pow(10.0, magnitude - (SignificantDigits - 1));
    double rounded = value / unit;
    // A value that is already short, give or take the error of the division, stays as it is.
    if (std::fabs(rounded - std::nearbyint(rounded)) < 1e-6)
        rounded = std::nearbyint(rounded);
    rounded = rounding == Rounding::Down ? std::floor(rounded) : std::ceil(rounded);
    rounded *= unit;
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
    std::string result(text);
    // Trailing zeros of the fraction say nothing.
    if (result.find('.') != std::string::npos) {
        result.erase(result.find_last_not_of('0') + 1);
        if (result.back() == '.')
            result.pop_back();
    }
    return result == "-0" ? "0" : result;
}

} // namespace

void BoundsCanvas::DrawSegment(
    const plane::TVector3& start, const plane::TVector3& end, plane::Rgb, std::int32_t)
{
    Include(start.x, start.y);
    Include(end.x, end.y);
}

void BoundsCanvas::Include(double x, double y)
{
    m_left = std::min(m_left, x);
    m_right = std::max(m_right, x);
    m_bottom = std::min(m_bottom, y);
    m_top = std::max(m_top, y);
}

std::optional<WorldWindow> FitWindow(const WorldWindow& bounds, double margin)
{
    const double width = bounds.x2 - bounds.x1;
    const double height = bounds.y2 - bounds.y1;
    const double extent = std::max(width, height);
    if (!(extent > 0.0) || !std::isfinite(extent))
        return std::nullopt;
    const double half = extent * (0.5 + margin);
    const double centreX = bounds.x1 + width / 2;
    const double centreY = bounds.y1 + height / 2;
    return WorldWindow { centreX - half, centreX + half, centreY - half, centreY + half };
}

WorldWindow ZoomWindow(const WorldWindow& window, double x, double y, double factor)
{
    return { x + (window.x1 - x) / factor, x + (window.x2 - x) / factor,
        y + (window.y1 - y) / factor, y + (window.y2 - y) / factor };
}

WorldWindow PanWindow(const WorldWindow& window, double dx, double dy)
{
    return { window.x1 + dx, window.x2 + dx, window.y1 + dy, window.y2 + dy };
}

WindowTexts FormatWindow(const WorldWindow& window)
{
    // Each bound is rounded away from the window's inside.
    const auto lower = [&](double a, double b) {
        return FormatBound(a, a <= b ? Rounding::Down : Rounding::Up);
    };
    return { lower(window.x1, window.x2), lower(window.x2, window.x1), lower(window.y1, window.y2),
        lower(window.y2, window.y1) };
}

} // namespace app
