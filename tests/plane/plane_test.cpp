#include "plane/plane.h"

#include "fpu/floating_point_error.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plane {
namespace {

const Rgb White { 255, 255, 255 };

class PlaneTest : public testing::Test {
protected:
    PlaneTest()
    {
        plane.SetPlaneSize(700, 700);
        plane.SetWorldWindow(0, 1, 0, 1);
    }

    int CountNotWhite() const
    {
        int count = 0;
        for (int y = 0; y < 700; ++y) {
            for (int x = 0; x < 700; ++x)
                count += plane.raster().Pixel(x, y) != White;
        }
        return count;
    }

    Plane plane;
};

TEST_F(PlaneTest, StartsWhiteWithAOnePixelPen)
{
    EXPECT_EQ(plane.raster().width(), 700);
    EXPECT_EQ(plane.raster().height(), 700);
    EXPECT_EQ(CountNotWhite(), 0);
    EXPECT_EQ(plane.penWidth(), 1);
}

TEST_F(PlaneTest, ClearPlaneWhitensEveryPixelAfterAWidePen)
{
    plane.SetPenWidth(60);
    plane.DrawLine({ 0, 0, 1 }, { 1, 1, 1 }, 0, 0, 0);
    plane.DrawLine({ 0, 1, 1 }, { 1, 0, 1 }, 9, 9, 9);
    // Wide lines were drawn; which pixels they cover is the raster's own test.
    ASSERT_GT(CountNotWhite(), 60 * 700);
    plane.ClearPlane(255, 255, 255);
    EXPECT_EQ(CountNotWhite(), 0);
    EXPECT_EQ(plane.penWidth(), 60);
}

TEST_F(PlaneTest, LineColourValue)
{
    plane.DrawLine({ 0.25, 0.75, 1 }, { 0.5, 0.5, 1 }, 4, 123, 22);
    EXPECT_EQ(plane.raster().Pixel(175, 175).value(), 1473284u);
}

TEST_F(PlaneTest, DiagonalFromBottomLeftToTopRight)
{
    plane.DrawLine({ 0, 0, 1 }, { 1, 1, 1 }, 0, 0, 0);
    for (int x = 1; x < 700; ++x)
        ASSERT_EQ(plane.raster().Pixel(x, 700 - x), (Rgb {})) << x;
    EXPECT_EQ(CountNotWhite(), 699);
}

TEST_F(PlaneTest, ZeroLengthSegmentSetsOnePixel)
{
    plane.DrawLine({ 0.5, 0.5, 0 }, { 0.5, 0.5, 0 }, 1, 2, 3);
    EXPECT_EQ(plane.raster().Pixel(350, 350), (Rgb { 1, 2, 3 }));
    EXPECT_EQ(CountNotWhite(), 1);
}

TEST_F(PlaneTest, NegativePenWidthIsIgnored)
{
    plane.SetPenWidth(7);
    plane.SetPenWidth(-1);
    EXPECT_EQ(plane.penWidth(), 7);
    plane.SetPenWidth(-2147483647 - 1);
    EXPECT_EQ(plane.penWidth(), 7);
}

TEST_F(PlaneTest, WidthZeroDrawsAsOne)
{
    Plane thin;
    thin.SetPlaneSize(700, 700);
    thin.SetWorldWindow(0, 1, 0, 1);
    thin.SetPenWidth(1);
    plane.SetPenWidth(0);
    for (Plane* target : { &plane, &thin })
        target->DrawLine({ 0.1, 0.2, 1 }, { 0.9, 0.45, 1 }, 0, 0, 0);
    for (int y = 0; y < 700; ++y) {
        for (int x = 0; x < 700; ++x)
            ASSERT_EQ(plane.raster().Pixel(x, y), thin.raster().Pixel(x, y)) << x << ", " << y;
    }
    EXPECT_EQ(CountNotWhite(), 561);
}

// A mapped value that overflows is an overflow like any other product; one that cannot be
// rounded to a 64-bit pixel is an invalid operation. Either way nothing is drawn.
TEST_F(PlaneTest, FaultsOfTheMapping)
{
    const struct {
        const char* name;
        TVector3 end;
        fpu::Fault fault;
    } rows[] = {
        { "XProductOverflows", { 1e306, 0.5, 1 }, fpu::Fault::Overflow },
        { "YProductOverflows", { 0.5, -1e306, 1 }, fpu::Fault::Overflow },
        { "XBeyondThe64BitRange", { 1e17, 0.5, 1 }, fpu::Fault::InvalidOperation },
        { "YNotANumber", { 0.5, std::nan(""), 1 }, fpu::Fault::InvalidOperation },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            plane.DrawLine({ 0.5, 0.5, 1 }, row.end, 0, 0, 0);
            ADD_FAILURE() << "no fault raised";
        } catch (const fpu::FloatingPointError& error) {
            EXPECT_EQ(error.fault(), row.fault);
        }
        EXPECT_EQ(CountNotWhite(), 0);
    }
}

// A segment reaching beyond the 32-bit pixel range draws what the same line between nearer
// ends draws: only its visible part, with no wrapped-around pixels, thin or wide, its round
// end kept where it is seen. Points are given as pixels of a one-to-one window.
TEST_F(PlaneTest, SegmentBeyondThe32BitRangeDrawsItsVisiblePart)
{
    struct Pixel {
        double column;
        double row;
    };
    const double Far = 1099511627776.0; // 2^40
    const struct {
        const char* name;
        Pixel from, to; // at least one beyond the 32-bit range
        Pixel nearFrom, nearTo; // the same line within the range, its ends well off the raster
        std::int32_t width;
        bool visible = true;
    } rows[] = {
        { "Horizontal", { -Far, 350 }, { Far, 350 }, { -9000, 350 }, { 9000, 350 }, 1 },
        { "HorizontalWide", { -Far, 350 }, { Far, 350 }, { -9000, 350 }, { 9000, 350 }, 9 },
        { "Diagonal", { -Far, 700 + Far }, { Far, 700 - Far }, { -9000, 9700 }, { 9000, -8300 },
            1 },
        { "DiagonalWide", { -Far, 700 + Far }, { Far, 700 - Far }, { -9000, 9700 }, { 9000, -8300 },
            15 },
        { "JustBeyond", { 350, 100 }, { 2147483648.0, 100 }, { 350, 100 }, { 9000, 100 }, 1 },
        // The cut is measured from the visible end, whose pixels are exact.
        { "FromInsideToVeryFar", { 350, 350 }, { 72057594037927936.0, 36028797018963968.0 },
            { 350, 350 }, { 18350, 9350 }, 1 },
        { "FromVeryFarToARoundEndInside", { 72057594037927936.0, 36028797018963968.0 },
            { 350, 350 }, { 18350, 9350 }, { 350, 350 }, 21 },
        { "WhollyBeside", { Far, 350 }, { 2 * Far, 350 }, { 800, 350 }, { 900, 350 }, 1, false },
    };
    const auto world = [](Pixel pixel) { return TVector3 { pixel.column, 700 - pixel.row, 1 }; };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Plane farPlane;
        Plane nearPlane;
        for (Plane* target : { &farPlane, &nearPlane }) {
            target->SetPlaneSize(700, 700);
            target->SetWorldWindow(0, 700, 0, 700);
            target->SetPenWidth(row.width);
        }
        farPlane.DrawLine(world(row.from), world(row.to), 0, 0, 0);
        nearPlane.DrawLine(world(row.nearFrom), world(row.nearTo), 0, 0, 0);
        int differing = 0;
        int inked = 0;
        for (int y = 0; y < 700; ++y) {
            for (int x = 0; x < 700; ++x) {
                differing += farPlane.raster().Pixel(x, y) != nearPlane.raster().Pixel(x, y);
                inked += nearPlane.raster().Pixel(x, y) != White;
            }
        }
        EXPECT_EQ(differing, 0);
        EXPECT_EQ(inked > 0, row.visible);
    }
}

TEST_F(PlaneTest, SetWorldWindowUsesTheRasterSize)
{
    plane.SetPlaneSize(350, 100);
    plane.SetWorldWindow(-1, 1, 0, 2);
    EXPECT_EQ(plane.ScaleX, 175.0);
    EXPECT_EQ(plane.ScaleY, 50.0);
    EXPECT_EQ(plane.OffsetX, 175.0);
    EXPECT_EQ(plane.OffsetY, 100.0);
}

} // namespace
} // namespace plane
