#include "plane/plane.h"

#include "fpu/floating_point_error.h"

#include <gtest/gtest.h>

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
    ASSERT_GT(CountNotWhite(), 60 * 700);
    plane.ClearPlane(255, 255, 255);
    EXPECT_EQ(CountNotWhite(), 0);
    EXPECT_EQ(plane.penColour(), White);
    EXPECT_EQ(plane.penWidth(), 60);
}

TEST_F(PlaneTest, LineColourValue)
{
    plane.DrawLine({ 0.25, 0.75, 1 }, { 0.5, 0.5, 1 }, 4, 123, 22);
    EXPECT_EQ(plane.penColour().value(), 1473284u);
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

TEST_F(PlaneTest, PointBeyondThe64BitRangeRaisesAndDrawsNothing)
{
    EXPECT_THROW(
        plane.DrawLine({ 0.5, 0.5, 1 }, { 1e17, 0.5, 1 }, 0, 0, 0), fpu::FloatingPointError);
    EXPECT_EQ(CountNotWhite(), 0);
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
