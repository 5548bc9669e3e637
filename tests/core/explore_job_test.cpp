#include "app/core/explore/explore_job.h"

#include "app/core/jobs/replay_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/presets.h"
#include "session_fixture.h"
#include "tests/core/stray_pixels.h"

#include <gtest/gtest.h>

#include <string>

namespace app {
namespace {

constexpr int PlaneSize = 700;
constexpr plane::Rgb Black { 0, 0, 0 };

struct Planes {
    Planes()
    {
        exact.SetPlaneSize(PlaneSize, PlaneSize);
        explored.SetPlaneSize(PlaneSize, PlaneSize);
        exact.ClearPlane(255, 255, 255);
        explored.ClearPlane(255, 255, 255);
    }
    plane::Plane exact;
    plane::Plane explored;
};

struct ChordRow {
    Preset preset;
    int count;
    double zoom = 1.0; // about a point of the figure
};

class ExploreChords : public testing::TestWithParam<ChordRow> { };

// Against the exact figure at the count Explore draws at, passing over what lies outside the
// view and drawing sub-figures below a pixel as their chords moves no pixel by more than one.
TEST_P(ExploreChords, DifferFromTheExactFigureByAPixelAtMost)
{
    const ChordRow row = GetParam();
    const DrawnFigure figure = PrepareFigure(
        test_support::PresetFields(row.preset, "0", row.count), 0, Black, PlaneSize);
    Planes planes;
    PlaneCanvas exactCanvas(planes.exact);
    ReplayJob exact({ ExploreFigure(figure, PlaneSize) }, PlaneSize, exactCanvas);
    RunToEnd(exact);
    // The pen a frame finds (another figure's) changes nothing.
    planes.explored.SetPenWidth(7);
    PlaneCanvas exploredCanvas(planes.explored);
    ExploreJob explore({ figure }, PlaneSize, exploredCanvas, ExploreDetail::Fine);
    RunToEnd(explore);
    const plane::Plane blank = Planes().exact;
    ASSERT_GT(test_support::StrayPixels(planes.exact.raster(), blank.raster()), 1000);
    EXPECT_EQ(test_support::StrayPixels(planes.exact.raster(), planes.explored.raster()), 0);
    EXPECT_EQ(test_support::StrayPixels(planes.explored.raster(), planes.exact.raster()), 0);
}

INSTANTIATE_TEST_SUITE_P(Presets, ExploreChords,
    testing::Values(ChordRow { Preset::KochCurve, 10 }, ChordRow { Preset::KochCurve, 10, 243.0 },
        ChordRow { Preset::KochIsland, 7 }, ChordRow { Preset::Sierpinski1, 9 },
        ChordRow { Preset::Sierpinski2, 7 }, ChordRow { Preset::Plant1, 6 },
        ChordRow { Preset::Plant2, 8 }, ChordRow { Preset::Plant3, 7 },
        ChordRow { Preset::Plant4, 7 }),
    [](const testing::TestParamInfo<ChordRow>& info) {
        return "Preset" + std::to_string(static_cast<int>(info.param.preset)) + "Zoom"
            + std::to_string(static_cast<int>(info.param.zoom));
    });

struct CountRow {
    Preset preset;
    int count;
    double zoom; // about the middle of the preset's window
    int explored; // the count Explore draws it at
};

class ExploreCount : public testing::TestWithParam<CountRow> { };

// Self-similar figures gain a substitution each time their steps would span more than a pixel;
// a figure whose size changes with the count keeps its own.
TEST_P(ExploreCount, GrowsWhereStepsOutgrowAPixel)
{
    const CountRow row = GetParam();
    DrawnFigure figure = PrepareFigure(
        test_support::PresetFields(row.preset, "0", row.count), 0, Black, PlaneSize);
    const WorldWindow& window = figure.window;
    figure.window
        = ZoomWindow(window, (window.x1 + window.x2) / 2, (window.y1 + window.y2) / 2, row.zoom);
    const DrawnFigure explored = ExploreFigure(figure, PlaneSize);
    EXPECT_EQ(explored.walk.params.SubstCount, row.explored);
    EXPECT_EQ(explored.fields.substCount, row.explored);
}

// The Koch curve's window is 1.2 wide: 583 pixels a unit, a step 583 / 3^10 pixels at 10.
INSTANTIATE_TEST_SUITE_P(Rows, ExploreCount,
    testing::Values(CountRow { Preset::KochCurve, 10, 1.0, 10 },
        CountRow { Preset::KochCurve, 10, 243.0, 11 }, CountRow { Preset::KochCurve, 10, 1e6, 19 },
        CountRow { Preset::KochCurve, 2, 1.0, 6 }, CountRow { Preset::Plant1, 6, 1000.0, 6 }));

} // namespace
} // namespace app
