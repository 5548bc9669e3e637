#include "app/core/pictures/plane_canvas.h"
#include "lsystem/turtle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

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

TEST_F(PlaneCanvasTest, SegmentIsDrawnWithItsWidthAndColour)
{
    PlaneCanvas canvas(plane);
    const plane::Rgb green { 4, 123, 22 };
    canvas.DrawSegment({ 0.25, 0.75, 1.0 }, { 0.5, 0.5, 1.0 }, green, 5);
    EXPECT_EQ(plane.penWidth(), 5);
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
}

// Hands each segment on to a plane canvas by itself, as a canvas without batches takes them,
// and has the raster forget the lines it drew (a resize to its own size keeps the pixels), so
// that every line is drawn in full.
class OneByOne final : public lsystem::Canvas {
public:
    OneByOne(PlaneCanvas& target, plane::Plane& plane)
        : m_target(target)
        , m_plane(plane)
    {
    }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        m_target.DrawSegment(start, end, colour, penWidth);
        m_plane.raster().Resize(m_plane.raster().width(), m_plane.raster().height());
    }

private:
    PlaneCanvas& m_target;
    plane::Plane& m_plane;
};

// The walk keeps segments back and hands them to the plane in batches where their ends map
// safely into the raster, and the raster leaves out lines whose pixels hold their colour already.
// Draws one after another on one plane, in pens thin and wide and colours that cover each other,
// reaching far beyond the batch window or faulting there, in slices of any size, must leave the
// plane, the generator and the walk as every segment drawn alone does.
TEST(PlaneCanvasBatches, DrawAsOneSegmentAtATime)
{
    struct Row {
        const char* axiom;
        const char* ruleF;
        int count;
        double angle, step, amplitude;
        std::optional<double> rotation;
        double x1, x2, y1, y2;
        plane::Rgb colour;
        int pen;
    };
    const plane::Rgb green { 4, 123, 22 }, red { 255, 0, 0 };
    // A plant, a thin curve across it, the plant again: the curve's pixels must not keep the
    // second plant's lines from being drawn.
    const Row rows[] = {
        { "F", "G-((F)+F)+G(+GF)-F", 3, 22.5, 0.1, 0.0, std::nullopt, -0.6, 0.6, -0.1, 1.1, green,
            12 },
        { "F", "F+F--F+F", 7, 60.0, 1.0 / 2187, 0.0, -1.5707963267948966, -0.6, 0.6, -0.1, 1.1, red,
            1 },
        { "F", "G-((F)+F)+G(+GF)-F", 3, 22.5, 0.1, 0.0, std::nullopt, -0.6, 0.6, -0.1, 1.1, green,
            12 },
        { "F", "G-((F)+F)+G(+GF)-F", 6, 22.5, 0.01, 0.002, std::nullopt, -0.6, 0.6, -0.1, 1.1, red,
            5 },
        // Steps that leave the batch window by far and come back, and a far line.
        { "F", "F+fF-F", 6, 90.0, 1e-3, 0.0, std::nullopt, 0.0, 1e-9, 0.0, 1e-9, green, 12 },
        { "F", "FF+F", 6, 30.0, 1e7, 1e6, 0.5235987755982988, -1e3, 1e3, -1e3, 1e3, red, 12 },
        // Walks that fault: on the way to the plane at once, and at a turn after drawing.
        { "F", "FFFF+F", 5, 1.0, 1e300, 0.0, std::nullopt, 0.0, 1.0, 0.0, 1.0, green, 12 },
        { "F", "FFFF+F", 5, 1e308, 0.01, 0.0, std::nullopt, 0.0, 1.0, 0.0, 1.0, green, 12 },
    };
    struct Run {
        plane::Plane plane;
        lsystem::RandomGenerator random { 99 };
        std::string fault;
        std::uint64_t segments = 0;
    } batched, single;
    for (Run* run : { &batched, &single })
        run->plane.SetPlaneSize(120, 90);
    std::mt19937 slices(7);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ruleF);
        lsystem::DrawParams params;
        params.Word = row.axiom;
        params.RuleF = row.ruleF;
        params.RuleG = "GG";
        params.SubstCount = row.count;
        params.Angle = row.angle;
        params.StepLength = row.step;
        params.RandomAmp = row.amplitude;
        params.PenWidth = row.pen;
        const lsystem::WalkStyle style { row.colour, row.rotation, 3 };
        for (Run* run : { &batched, &single }) {
            run->plane.SetWorldWindow(row.x1, row.x2, row.y1, row.y2);
            PlaneCanvas canvas(run->plane);
            OneByOne oneByOne(canvas, run->plane);
            lsystem::Canvas& target
                = run == &batched ? static_cast<lsystem::Canvas&>(canvas) : oneByOne;
            lsystem::TurtleWalk walk(params, style, run->random, target);
            run->fault.clear();
            try {
                while (!walk.Advance(slices() % 300))
                    ;
            } catch (const std::exception& error) {
                run->fault = error.what();
            }
            run->segments = walk.segmentsDrawn();
        }
        EXPECT_EQ(batched.fault, single.fault);
        EXPECT_EQ(batched.segments, single.segments);
        EXPECT_EQ(batched.random.seed(), single.random.seed());
        EXPECT_EQ(batched.plane.penWidth(), single.plane.penWidth());
        const plane::Raster& a = batched.plane.raster();
        const plane::Raster& b = single.plane.raster();
        EXPECT_TRUE(std::equal(a.bits(), a.bits() + a.stride() * a.height(), b.bits()));
    }
}

// Segments are kept back only where drawing them cannot fail: every corner of the batch window
// maps well inside the raster's 32-bit pixels, and a window of ordinary size lies within it.
TEST(PlaneCanvasBatches, WindowMapsWithinThirtyTwoBitPixels)
{
    const struct {
        double x1, x2, y1, y2;
        bool holdsTheWindow;
    } rows[] = {
        { -0.1, 1.1, -0.4, 0.7, true }, { 1e-12, 2e-12, -3e-12, -2e-12, true },
        { -1e300, 1e300, -1e300, 1e300, true },
        { 5e15, 5e15 + 1.0, 0.0, 1.0, false }, // offsets too large to be sure of
        { 1.0, 0.0, 1.0, 0.0, true }, // mirrored
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x1);
        plane::Plane plane;
        plane.SetPlaneSize(700, 700);
        plane.SetWorldWindow(row.x1, row.x2, row.y1, row.y2);
        const lsystem::BatchWindow window = PlaneCanvas(plane).batchWindow();
        if (!row.holdsTheWindow) {
            EXPECT_GT(window.left, window.right);
            continue;
        }
        EXPECT_TRUE(window.Holds(row.x1, row.y1) && window.Holds(row.x2, row.y2));
        for (const double x : { window.left, window.right })
            EXPECT_LT(std::fabs(plane.Column(x)), 2147483647.0);
        for (const double y : { window.bottom, window.top })
            EXPECT_LT(std::fabs(plane.Row(y)), 2147483647.0);
    }
}

} // namespace
} // namespace app
