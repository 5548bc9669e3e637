#include "plane/viewport.h"

#include "fpu/floating_point_error.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <limits>

namespace plane {
namespace {

struct Window {
    double x1;
    double x2;
    double y1;
    double y2;
};

struct MappingCase {
    const char* name;
    Window window;
    double x;
    double y;
    std::int64_t column;
    std::int64_t row;
};

void PrintTo(const MappingCase& row, std::ostream* out)
{
    *out << row.name;
}

const MappingCase MappingCases[] = {
    { "UnitOriginIsBottomLeft", { 0, 1, 0, 1 }, 0, 0, 0, 700 },
    { "UnitTopRight", { 0, 1, 0, 1 }, 1, 1, 700, 0 },
    { "UnitCentre", { 0, 1, 0, 1 }, 0.5, 0.5, 350, 350 },
    { "UnitQuarter", { 0, 1, 0, 1 }, 0.25, 0.75, 175, 175 },
    { "HalfDownToEven", { 0, 700, 0, 700 }, 2.5, 697.5, 2, 2 },
    { "HalfUpToEven", { 0, 700, 0, 700 }, 3.5, 696.5, 4, 4 },
    { "NegativeHalfToEven", { 0, 700, 0, 700 }, -2.5, 702.5, -2, -2 },
    { "NearlyHalfRoundsDown", { 0, 700, 0, 700 }, 2.4999999999999996, 697.5, 2, 2 },
    { "MirroredXLeft", { 1, -1, 0, 1 }, 1, 0, 0, 700 },
    { "MirroredXRight", { 1, -1, 0, 1 }, -1, 0, 700, 700 },
    { "MirroredYTop", { 0, 1, 1, -1 }, 0, -1, 0, 0 },
    { "FarOutsideStillMaps", { -0.1, 1.1, -0.4, 0.7 }, 100, -100, 58392, 64082 },
    { "BeyondThe32BitRangeKeepsEveryBit", { 0, 700, 0, 700 }, 4294967301.0, 700 - 2147483648.0,
        4294967301, 2147483648 },
    { "LowestInt64", { 0, 700, 0, 700 }, -9223372036854775808.0, 700,
        std::numeric_limits<std::int64_t>::min(), 0 },
    // Halves on both sides of 2^51, where the rounding changes its way of working.
    { "HalfBelowTwoTo51ToEven", { 0, 700, 0, 700 }, 2251799813685246.5, 0, 2251799813685246, 700 },
    { "HalfAboveTwoTo51ToEven", { 0, 700, 0, 700 }, 2251799813685248.5, 0, 2251799813685248, 700 },
    { "NegativeHalfBelowTwoTo51ToEven", { 0, 700, 0, 700 }, -2251799813685246.5, 0,
        -2251799813685246, 700 },
};

class Mapping : public testing::TestWithParam<MappingCase> { };

TEST_P(Mapping, WorldToPixel)
{
    const MappingCase& row = GetParam();
    Viewport viewport;
    viewport.SetWorldWindow(row.window.x1, row.window.x2, row.window.y1, row.window.y2, 700, 700);
    EXPECT_EQ(viewport.XToPixel(row.x), row.column);
    EXPECT_EQ(viewport.YToPixel(row.y), row.row);
}

INSTANTIATE_TEST_SUITE_P(Viewport, Mapping, testing::ValuesIn(MappingCases),
    [](const testing::TestParamInfo<MappingCase>& info) { return info.param.name; });

TEST(Viewport, CoefficientsOfTheUnitWindow)
{
    Viewport viewport;
    viewport.SetWorldWindow(0, 1, 0, 1, 700, 700);
    EXPECT_EQ(viewport.ScaleX, 700.0);
    EXPECT_EQ(viewport.ScaleY, 700.0);
    EXPECT_EQ(viewport.OffsetX, 0.0);
    EXPECT_EQ(viewport.OffsetY, 700.0);
}

TEST(Viewport, MirroredCoefficients)
{
    Viewport viewport;
    viewport.SetWorldWindow(1, -1, 0, 1, 700, 700);
    EXPECT_EQ(viewport.ScaleX, -350.0);
    EXPECT_EQ(viewport.OffsetX, 350.0);
}

// Round trips: the pixel of every world point on a grid is that of the point's own formula, and
// the inverse takes each pixel, and each fraction of one, back to its world point.
TEST(Viewport, RoundTripOfPixelCentres)
{
    Viewport viewport;
    viewport.SetWorldWindow(-0.3, 0.9, -0.1, 1.1, 700, 700);
    for (int pixel = -50; pixel <= 750; ++pixel) {
        const double x = -0.3 + pixel * (1.2 / 700);
        const double y = 1.1 - pixel * (1.2 / 700);
        ASSERT_EQ(viewport.XToPixel(x), pixel) << x;
        ASSERT_EQ(viewport.YToPixel(y), pixel) << y;
        ASSERT_EQ(viewport.XToPixel(viewport.ColumnToX(pixel)), pixel);
        ASSERT_EQ(viewport.YToPixel(viewport.RowToY(pixel)), pixel);
        const double fraction = pixel + 0.37;
        ASSERT_NEAR(viewport.Column(viewport.ColumnToX(fraction)), fraction, 1e-9);
        ASSERT_NEAR(viewport.Row(viewport.RowToY(fraction)), fraction, 1e-9);
    }
}

Viewport Sentinel()
{
    Viewport viewport;
    viewport.ScaleX = 1.5;
    viewport.ScaleY = 2.5;
    viewport.OffsetX = 3.5;
    viewport.OffsetY = 4.5;
    return viewport;
}

fpu::Fault FaultOf(Viewport& viewport, const Window& window)
{
    try {
        viewport.SetWorldWindow(window.x1, window.x2, window.y1, window.y2, 700, 700);
    } catch (const fpu::FloatingPointError& error) {
        return error.fault();
    }
    ADD_FAILURE() << "no fault raised";
    return fpu::Fault::InvalidOperation;
}

TEST(Viewport, ZeroWidthLeavesEveryCoefficient)
{
    Viewport viewport = Sentinel();
    EXPECT_EQ(FaultOf(viewport, { 0.5, 0.5, 0, 1 }), fpu::Fault::DivisionByZero);
    EXPECT_EQ(viewport.ScaleX, 1.5);
    EXPECT_EQ(viewport.ScaleY, 2.5);
    EXPECT_EQ(viewport.OffsetX, 3.5);
    EXPECT_EQ(viewport.OffsetY, 4.5);
}

TEST(Viewport, ZeroHeightKeepsTheNewScaleX)
{
    Viewport viewport = Sentinel();
    EXPECT_EQ(FaultOf(viewport, { 0, 2, 1, 1 }), fpu::Fault::DivisionByZero);
    EXPECT_EQ(viewport.ScaleX, 350.0);
    EXPECT_EQ(viewport.ScaleY, 2.5);
    EXPECT_EQ(viewport.OffsetX, 3.5);
    EXPECT_EQ(viewport.OffsetY, 4.5);
}

TEST(Viewport, OverflowingWindows)
{
    const struct {
        const char* name;
        Window window;
    } rows[] = {
        { "TooNarrow", { 0, 1e-320, 0, 1 } },
        { "TooWide", { -1e308, 1e308, 0, 1 } },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Viewport viewport = Sentinel();
        EXPECT_EQ(FaultOf(viewport, row.window), fpu::Fault::Overflow);
    }
}

} // namespace
} // namespace plane
