#include "app/core/plane_canvas.h"
#include "lsystem/turtle.h"

#include <gtest/gtest.h>

namespace app {
namespace {

class PlaneCanvasTest : public testing::Test {
protected:
    PlaneCanvasTest()
    {
        plane.SetPlaneSize(700, 700);
        plane.SetWorldWindow(0.0, 1.0, 0.0, 1.0);
    }

    plane::Plane plane;
};

TEST_F(PlaneCanvasTest, SegmentGoesThroughThePlaneFields)
{
    PlaneCanvas canvas(plane);
    const plane::Rgb green { 4, 123, 22 };
    canvas.DrawSegment({ 0.25, 0.75, 1.0 }, { 0.5, 0.5, 1.0 }, green, 5);
    EXPECT_EQ(plane.SegStart.x, 0.25);
    EXPECT_EQ(plane.SegStart.y, 0.75);
    EXPECT_EQ(plane.SegEnd.x, 0.5);
    EXPECT_EQ(plane.SegEnd.y, 0.5);
    EXPECT_EQ(plane.penWidth(), 5);
    EXPECT_EQ(plane.penColour(), green);
    EXPECT_EQ(plane.raster().Pixel(175, 175), green);
    EXPECT_EQ(plane.raster().Pixel(350, 350), green);
    EXPECT_EQ(plane.raster().Pixel(100, 100), (plane::Rgb { 255, 255, 255 }));
}

TEST_F(PlaneCanvasTest, NegativeWidthKeepsThePen)
{
    PlaneCanvas canvas(plane);
    canvas.DrawSegment({ 0.1, 0.1, 1.0 }, { 0.2, 0.1, 1.0 }, {}, 9);
    canvas.DrawSegment({ 0.1, 0.5, 1.0 }, { 0.2, 0.5, 1.0 }, {}, -3);
    EXPECT_EQ(plane.penWidth(), 9);
    // Drawn with the width of 9 kept: four rows above the line's own row are coloured too.
    EXPECT_EQ(plane.raster().Pixel(105, 346), (plane::Rgb {}));
}

TEST_F(PlaneCanvasTest, WalkOntoThePlane)
{
    lsystem::DrawParams params;
    params.Angle = 90.0;
    params.StepLength = 0.5;
    params.PenWidth = 1;
    lsystem::RandomGenerator random;
    PlaneCanvas canvas(plane);
    lsystem::DrawWord("F-F", params, { { 255, 0, 0 }, std::nullopt, 3 }, random, canvas);
    const plane::Rgb red { 255, 0, 0 };
    EXPECT_EQ(plane.raster().Pixel(0, 600), red);
    EXPECT_EQ(plane.raster().Pixel(0, 351), red);
    EXPECT_EQ(plane.raster().Pixel(200, 350), red);
    EXPECT_EQ(plane.raster().Pixel(350, 350), red);
    EXPECT_NEAR(plane.SegEnd.x, 0.5, 1e-15);
    EXPECT_NEAR(plane.SegEnd.y, 0.5, 1e-15);
}

} // namespace
} // namespace app
