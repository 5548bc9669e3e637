#include "app/core/explore/explore_job.h"

#include "app/core/jobs/replay_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/fitted_fields.h"
#include "app/core/record/presets.h"
#include "lsystem/explore/explore_walk.h"
#include "lsystem/rules/expansion.h"
#include "lsystem/turtle.h"
#include "session_fixture.h"
#include "tests/core/stray_pixels.h"
#include "tests/lsystem/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

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

// What Explore's fine frame of `record` draws in `window`, in world coordinates.
std::vector<lsystem::RecordedSegment> FineFrame(
    const DrawnFigure& record, const WorldWindow& window)
{
    lsystem::RecordingCanvas canvas;
    lsystem::ExploreWalk walk(record.walk.params, record.walk.style,
        ExploreViewOf(window, PlaneSize), ExploreChordPixels, canvas);
    while (!walk.Advance(1 << 16)) { }
    return canvas.segments;
}

double PixelsPerUnit(const WorldWindow& window)
{
    const plane::Viewport mapping = WindowMapping(window, PlaneSize);
    return std::max(std::abs(mapping.ScaleX), std::abs(mapping.ScaleY));
}

PanelFields FileFields(const char* axiom, const char* ruleF, const char* ruleG, const char* length,
    int count, const WindowTexts& window)
{
    PanelFields fields = test_support::PresetFields(Preset::KochIsland, "0", count);
    SetWindow(fields, window);
    fields.axiom = axiom;
    fields.ruleF = ruleF;
    fields.ruleG = ruleG;
    fields.angle = "90";
    fields.length = length;
    return fields;
}

// A figure with alternatives keeps its seed and fields, never drops below its own count and
// never takes one whose word outgrows what a view walks whole; one whose alternative keeps the
// figure's stance grows as far as that word allows.
TEST(ExploreCountOf, AlternativesStayWithinAWalkableWord)
{
    const struct {
        const char* name;
        const char* alternative; // to F's rule, weighing 2
        bool growsToTheWord;
    } rows[] = {
        { "mirrored, ending where F's rule ends", "F-F++F-F", true },
        { "ending elsewhere", "F+F-F", false },
    };
    for (const auto& row : rows) {
        PanelFields fields = test_support::PresetFields(Preset::KochCurve, "0", 2);
        fields.moreRules.push_back({ "F", "2", row.alternative });
        const DrawnFigure figure = PrepareFigure(fields, 12345, Black, PlaneSize);
        for (const double zoom : { 1.0, 1e3, 1e9 }) {
            DrawnFigure zoomed = figure;
            zoomed.window = ZoomWindow(figure.window, 0.5, 0.0, zoom);
            const DrawnFigure explored = ExploreFigure(zoomed, PlaneSize);
            lsystem::DrawParams params = explored.walk.params;
            EXPECT_GE(params.SubstCount, 2) << row.name << zoom;
            EXPECT_LE(lsystem::WordLength(lsystem::WordOf(params, figure.seed)), MaxWeightedSymbols)
                << row.name << zoom;
            EXPECT_EQ(explored.seed, figure.seed);
            PanelFields expected = fields;
            expected.substCount = params.SubstCount;
            EXPECT_EQ(explored.fields, expected) << row.name << zoom;
            if (row.growsToTheWord && zoom == 1e9) {
                ++params.SubstCount;
                EXPECT_GT(
                    lsystem::WordLength(lsystem::WordOf(params, figure.seed)), MaxWeightedSymbols)
                    << row.name;
            }
        }
    }
}

// A dragon curve turns as it grows: deeper zooms take more substitutions, and the explored
// curve, turned back about its start, ends where its own does.
TEST(ExploreCountOf, DragonCurveGrowsTurnedBackOntoItsEnd)
{
    const DrawnFigure figure = PrepareFigure(
        FileFields("F", "F+G+", "-F-G", "1/SQRT(2)", 8, { "-0.64", "0.95", "-0.39", "1.2" }), 0,
        Black, PlaneSize);
    const std::vector<lsystem::RecordedSegment> own = FineFrame(figure, figure.window);
    ASSERT_FALSE(own.empty());
    const plane::TVector3 ownEnd = own.back().end;
    const plane::TVector3 about = own[own.size() / 3].end;
    std::int32_t previous = 0;
    for (const double zoom : { 1.0, 10.0, 100.0, 1000.0 }) {
        DrawnFigure zoomed = figure;
        zoomed.window = ZoomWindow(figure.window, about.x, about.y, zoom);
        const DrawnFigure explored = ExploreFigure(zoomed, PlaneSize);
        const std::int32_t count = explored.walk.params.SubstCount;
        EXPECT_GE(count, previous) << zoom;
        previous = count;
        const std::vector<lsystem::RecordedSegment> grown = FineFrame(explored, figure.window);
        ASSERT_FALSE(grown.empty());
        const plane::TVector3 end = grown.back().end;
        const double pixel = 1.0 / PixelsPerUnit(zoomed.window);
        EXPECT_NEAR(end.x, ownEnd.x, pixel) << zoom;
        EXPECT_NEAR(end.y, ownEnd.y, pixel) << zoom;
    }
    EXPECT_GT(previous, 8);
}

// A curve that fills its area grows only as far as its view stays within a frame's segments:
// the count at which a step spans a pixel does not fit, and a count short of it is searched for.
TEST(ExploreCountOf, DenseViewStaysWithinAFrame)
{
    PanelFields hilbert = FileFields("L", "F", "G", "1/2", 6, { "-1.04", "0.05", "-0.05", "1.04" });
    hilbert.moreRules = { { "L", "1", "+RF-LFL-FR+" }, { "R", "1", "-LF+RFR+FL-" } };
    const struct {
        const char* name;
        PanelFields fields;
    } rows[] = {
        { "Hilbert curve", hilbert },
        { "Peano curve",
            FileFields(
                "F", "F+F-F-F-F+F+F+F-F", "G", "1/3", 3, { "-0.55", "0.55", "-0.06", "1.05" }) },
    };
    for (const auto& row : rows) {
        const DrawnFigure figure = PrepareFigure(row.fields, 0, Black, PlaneSize);
        const DrawnFigure explored = ExploreFigure(figure, PlaneSize);
        const lsystem::DrawParams& params = explored.walk.params;
        EXPECT_GE(params.SubstCount, row.fields.substCount) << row.name;
        EXPECT_LE(FineFrame(explored, explored.window).size(), MaxPrimitivesInView) << row.name;
        EXPECT_GT(std::abs(params.StepLength) * PixelsPerUnit(figure.window), 1.0) << row.name;
    }
}

} // namespace
} // namespace app
