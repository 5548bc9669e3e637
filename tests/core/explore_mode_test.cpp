// The session's Explore mode: how its frames reach the plane and how it gives way to the other
// commands. What a frame draws is the Explore job's own business, tested with it.

#include "app/core/explore/explore_depth.h"
#include "app/core/explore/explore_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/fitted_fields.h"
#include "app/core/session/drawing_session.h"
#include "tests/core/session_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace {

using app::DrawingSession;
using app::ExploreDetail;
using app::Preset;

using test_support::PresetFields;
using test_support::SamePixels;
using test_support::Session;

// What an Explore job draws of the session's figures on a white plane whose pen starts at
// `pen` (a curve keeps the pen it finds).
plane::Raster ExploreFrame(const Session& s, ExploreDetail detail, std::int32_t pen)
{
    plane::Plane plane;
    plane.SetPlaneSize(app::PlaneSize, app::PlaneSize);
    plane.SetPenWidth(pen);
    app::PlaneCanvas canvas(plane);
    app::ExploreJob job(s.session.figures(), app::PlaneSize, canvas, detail);
    app::RunToEnd(job);
    return plane.raster();
}

// Two figures in one window, one of them random.
void DrawTwoFigures(Session& s)
{
    const app::PanelFields plant = PresetFields(Preset::Plant1, "0.05", 4);
    app::PanelFields curve = PresetFields(Preset::KochCurve, "0", 3);
    app::SetWindow(curve, { plant.x1, plant.x2, plant.y1, plant.y2 });
    s.Draw(curve);
    s.Draw(plant);
}

TEST(ExploreDepth, NeitherAxisNarrowerThanItsMagnitudeAllows)
{
    const double n = app::ExploreNarrowest;
    const double far = std::ldexp(1.0, 20);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(app::ExploreShows({ 0, n, n, 0 })); // reversed bounds
    EXPECT_FALSE(app::ExploreShows({ 0, n / 2, 0, n }));
    EXPECT_TRUE(app::ExploreShows({ -1, 1, far - 2 * n * far, far }));
    EXPECT_FALSE(app::ExploreShows({ -1, 1, far - n * far / 2, far }));
    EXPECT_FALSE(app::ExploreShows({ nan, 1, -1, 1 }));
}

// A count beyond Draw's is refused only for the figures Explore walks whole; a window only when
// it is given and too narrow.
TEST(ExploreDepth, RefusesWhatWouldNeverEnd)
{
    const auto fields = [](std::int32_t count, const char* random,
                            lsystem::CommandSet commands = lsystem::CommandSet::Panel) {
        app::PanelFields made;
        made.substCount = count;
        made.random = random;
        made.commands = commands;
        return made;
    };
    app::PanelFields weighted = fields(11, "0");
    weighted.moreRules.push_back({ "F", "2", "F+F" });
    app::PanelFields narrow = fields(2, "0");
    app::SetWindow(narrow, { "0", "1/10^13", "0", "1" });
    const struct {
        const char* name;
        app::PanelFields fields;
        bool windowGiven;
        bool refused;
    } rows[] = {
        { "a Koch curve far beyond Draw's count", fields(64, "0"), true, false },
        { "a random amplitude within Draw's count", fields(10, "1/50"), true, false },
        { "a random amplitude beyond it", fields(11, "1/50"), true, true },
        { "alternatives beyond it", weighted, true, true },
        { "Fractint's turtle beyond it", fields(11, "0", lsystem::CommandSet::Fractint), true,
            true },
        { "a narrow window", narrow, true, true },
        { "a narrow window to be fitted", narrow, false, false },
        { "fields that fail to prepare", fields(64, "1/0"), true, false },
    };
    for (const auto& row : rows)
        EXPECT_EQ(app::ExploreRefusal(row.fields, row.windowGiven).has_value(), row.refused)
            << row.name;
}

// Each frame comes at once, coarse, and its refinement shows the fine one only whole; a view
// change replaces the refinement under way, and leaving Explore gives what the same moves give
// exactly.
TEST(ExploreMode, CoarseAtOnceFineWhenWholeAndExactOnLeaving)
{
    Session explored;
    Session exact;
    DrawTwoFigures(explored);
    DrawTwoFigures(exact);

    std::int32_t pen = explored.plane.penWidth();
    explored.session.SetExplore(true);
    const plane::Raster coarse = ExploreFrame(explored, ExploreDetail::Coarse, pen);
    EXPECT_TRUE(SamePixels(explored.plane.raster(), coarse));
    EXPECT_TRUE(explored.session.refining());
    while (!explored.session.RunSlice(DrawingSession::Clock::now()))
        ASSERT_TRUE(SamePixels(explored.plane.raster(), coarse));
    EXPECT_TRUE(
        SamePixels(explored.plane.raster(), ExploreFrame(explored, ExploreDetail::Fine, pen)));

    const auto moves = { +[](DrawingSession& s) { return s.Zoom(234, 378, 1.5625); },
        +[](DrawingSession& s) { return s.Pan(100, 100, 160, 70); } };
    for (const auto move : moves) {
        pen = explored.plane.penWidth();
        ASSERT_TRUE(move(explored.session));
        EXPECT_TRUE(SamePixels(
            explored.plane.raster(), ExploreFrame(explored, ExploreDetail::Coarse, pen)));
        ASSERT_TRUE(move(exact.session));
        exact.session.RunToEnd();
    }
    explored.session.SetExplore(false);
    EXPECT_EQ(explored.session.exploreSubstitutions(), std::nullopt);
    explored.session.RunToEnd();
    EXPECT_TRUE(SamePixels(explored.plane.raster(), exact.plane.raster()));
}

// The commands end a refinement, keeping its coarse frame; Explore never ends their tasks.
TEST(ExploreMode, CommandsEndTheRefinementButExploreWaitsForTheirTasks)
{
    Session s;
    DrawTwoFigures(s);
    s.session.SetExplore(true);
    s.session.Draw(PresetFields(Preset::Plant3, "0", 9));
    EXPECT_EQ(s.session.figures().size(), 3u);
    EXPECT_EQ(s.session.exploreSubstitutions(), std::nullopt); // the Draw is exact
    EXPECT_FALSE(s.session.Zoom(350, 350, 1.25));
    s.session.SetExplore(false);
    EXPECT_FALSE(s.session.exploring());
    EXPECT_TRUE(s.session.busy() && !s.session.refining());
}

// A figure walked whole (a random amplitude) takes as long as its Draw: the view change returns
// with a part of its coarse frame, which Stop keeps, the rest coming in slices.
TEST(ExploreMode, ACoarseFrameThatTakesLongGoesOnInSlices)
{
    Session s;
    s.Draw(PresetFields(Preset::Plant3, "0.05", 10));
    s.session.SetExplore(true);
    ASSERT_TRUE(s.session.refining());
    const plane::Raster part = s.plane.raster();
    s.session.Stop();
    EXPECT_TRUE(SamePixels(part, s.plane.raster()));
    EXPECT_FALSE(SamePixels(part, ExploreFrame(s, ExploreDetail::Coarse, s.plane.penWidth())));
}

// A figure that Stop ended, or whose walk failed, stays in Explore as it was drawn: up to where
// it ended, at every view, without meeting its fault again.
TEST(ExploreMode, StoppedOrFailedFiguresStayAsDrawn)
{
    app::PanelFields failing = PresetFields(Preset::Sierpinski2, "0", 1);
    failing.x1 = failing.y1 = "-8*10^307";
    failing.x2 = failing.y2 = "8*10^307";
    failing.axiom = "F";
    failing.ruleF = "F-F";
    failing.length = "135*10^306";
    failing.angle = "90";
    const auto stop = [](Session& s) {
        s.session.Draw(PresetFields(Preset::KochCurve, "0", 8));
        s.session.RunSlice(DrawingSession::Clock::now());
        s.session.Stop();
    };
    const auto fail = [&failing](Session& s) { EXPECT_ANY_THROW(s.Draw(failing)); };
    const std::pair<const char*, std::function<void(Session&)>> rows[]
        = { { "stopped", stop }, { "failed", fail } };
    for (const auto& [name, draw] : rows) {
        SCOPED_TRACE(name);
        Session s;
        draw(s);
        ASSERT_EQ(s.session.figures().size(), 1u);
        ASSERT_LT(s.session.figures()[0].symbolsWalked, UINT64_MAX);
        const plane::Raster drawn = s.plane.raster();
        s.session.SetExplore(true);
        ASSERT_NO_THROW(s.session.RunToEnd());
        EXPECT_TRUE(SamePixels(s.plane.raster(), drawn));
        ASSERT_NO_THROW(s.Zoom(300, 200, 2));
        const plane::Raster zoomed = s.plane.raster();
        s.session.SetExplore(false);
        ASSERT_NO_THROW(s.session.RunToEnd());
        EXPECT_TRUE(SamePixels(s.plane.raster(), zoomed));
    }
}

// An Explore zoom in stops where ExploreShows does, changing nothing; the exact view goes on.
TEST(ExploreMode, ZoomInStopsAtTheDepthDoublePrecisionResolves)
{
    Session s;
    DrawTwoFigures(s);
    s.session.SetExplore(true);
    ASSERT_TRUE(s.session.Zoom(350, 350, std::ldexp(1.0, 39)));
    s.session.Stop();
    const app::WorldWindow deep = *s.session.shownWindow();
    const plane::Raster shown = s.plane.raster();
    EXPECT_FALSE(s.session.Zoom(350, 350, 8));
    EXPECT_EQ(s.session.shownWindow()->x1, deep.x1);
    EXPECT_TRUE(SamePixels(s.plane.raster(), shown));
    EXPECT_TRUE(s.session.Zoom(350, 350, 0.25));
    s.session.SetExplore(false);
    s.session.Stop();
    EXPECT_TRUE(s.session.Zoom(350, 350, 64));
}

} // namespace
