#pragma once

#include "lsystem/fractint/fractint_turtle.h"
#include "lsystem/walk/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <vector>

namespace lsystem {

// The shape of a figure, enough to tell Fractint's commands apart: how many segments, how often
// the pen was lifted between them (a segment that does not start where the one before ended, the
// first counted from the origin), the bounds of their ends, the heading of the last one (degrees
// anticlockwise from up) and the palette index of each.
struct FigureSummary {
    std::size_t segments = 0;
    std::size_t jumps = 0;
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double top = 0.0;
    double lastHeading = 0.0;
    std::vector<int> colours = {};
};

// Sums a figure up as it is drawn, keeping nothing that grows with it but the colours.
class SummaryCanvas : public Canvas {
public:
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t) override
    {
        if (std::fabs(start.x - m_x) > Near || std::fabs(start.y - m_y) > Near)
            ++m_summary.jumps;
        m_x = end.x;
        m_y = end.y;
        if (m_summary.segments++ == 0) {
            m_summary.left = m_summary.right = start.x;
            m_summary.bottom = m_summary.top = start.y;
        }
        for (const plane::TVector3& point : { start, end }) {
            m_summary.left = std::min(m_summary.left, point.x);
            m_summary.right = std::max(m_summary.right, point.x);
            m_summary.bottom = std::min(m_summary.bottom, point.y);
            m_summary.top = std::max(m_summary.top, point.y);
        }
        m_summary.lastHeading = std::atan2(-(end.x - start.x), end.y - start.y) * 57.29577951308232;
        const auto index = std::ranges::find(FractintPalette, colour);
        m_summary.colours.push_back(
            static_cast<int>(std::distance(FractintPalette.begin(), index)));
    }

    const FigureSummary& summary() const { return m_summary; }

private:
    static constexpr double Near = 1e-9;
    FigureSummary m_summary;
    double m_x = 0.0;
    double m_y = 0.0;
};

// Bounds within a billionth of the figure's size; colours only where `expected` lists them.
inline void ExpectSameShape(const FigureSummary& actual, const FigureSummary& expected)
{
    const double near = 1e-9
        * std::max({ 1.0, std::fabs(expected.left), std::fabs(expected.right),
            std::fabs(expected.bottom), std::fabs(expected.top) });
    EXPECT_EQ(actual.segments, expected.segments);
    EXPECT_EQ(actual.jumps, expected.jumps);
    EXPECT_NEAR(actual.left, expected.left, near);
    EXPECT_NEAR(actual.right, expected.right, near);
    EXPECT_NEAR(actual.bottom, expected.bottom, near);
    EXPECT_NEAR(actual.top, expected.top, near);
    EXPECT_NEAR(std::remainder(actual.lastHeading - expected.lastHeading, 360.0), 0.0, 1e-9);
    if (!expected.colours.empty()) {
        EXPECT_EQ(actual.colours, expected.colours);
    }
}

} // namespace lsystem
