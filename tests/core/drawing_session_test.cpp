#include "app/core/record/fitted_fields.h"
#include "app/core/record/presets.h"
#include "app/core/session/drawing_session.h"
#include "app/core/text/float_text.h"
#include "tests/core/session_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using app::DrawingSession;
using app::PanelFields;
using app::Preset;

using test_support::PresetFields;
using test_support::SamePixels;
using test_support::Session;

// A plant whose F has three weighted alternatives: its shape comes from the seed alone.
PanelFields StochasticPlant(std::int32_t count)
{
    PanelFields plant = PresetFields(Preset::Plant2, "0", count);
    plant.ruleF = "F(+F)F(-F)F";
    plant.moreRules = { { "F", "1", "F(+F)F" }, { "F", "2", "F(-F)F" } };
    return plant;
}

// The figures of `session` drawn afresh, in order, by a new session from their fields, each in
// the window it is shown in: what the plane must show if every figure kept its shape.
bool DrawnAfresh(const Session& session)
{
    Session fresh;
    for (const app::DrawnFigure& figure : session.session.figures()) {
        PanelFields fields = figure.fields;
        const app::WorldWindow& window = figure.window;
        app::SetWindow(fields,
            { app::FloatToText(window.x1), app::FloatToText(window.x2), app::FloatToText(window.y1),
                app::FloatToText(window.y2) });
        fresh.Draw(fields);
    }
    return SamePixels(fresh.plane.raster(), session.plane.raster());
}

TEST(DrawingSessionView, RandomFiguresKeepTheirShapeAndEarlierFiguresStay)
{
    struct Move {
        const char* name;
        void (*apply)(Session&);
    };
    const Move moves[] = {
        { "zoom in and out",
            [](Session& s) {
                s.Zoom(350, 350, 1);
                s.Zoom(350, 350, -1);
            } },
        { "zoom in off-centre", [](Session& s) { s.Zoom(234, 378, 3); } },
        { "pan there and back",
            [](Session& s) {
                s.Pan(100, 100, 160, 70);
                s.Pan(160, 70, 100, 100);
            } },
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.name);
        Session s;
        s.Draw(PresetFields(Preset::KochCurve, "0.02"));
        s.Draw(PresetFields(Preset::Plant1, "0.05", 4));
        s.Draw(StochasticPlant(4));
        const std::uint32_t seedAfterDraws = s.session.seed();
        move.apply(s);
        ASSERT_EQ(s.session.figures().size(), 3u);
        EXPECT_TRUE(DrawnAfresh(s));
        EXPECT_EQ(s.session.seed(), seedAfterDraws); // the view took no random numbers
    }
}

TEST(DrawingSessionView, TheNextDrawContinuesTheRandomSequenceAsWithoutTheView)
{
    const PanelFields plant = PresetFields(Preset::Plant2, "0.05", 3);
    Session viewed;
    Session plain;
    for (Session* s : { &viewed, &plain })
        s->Draw(plant);
    viewed.Zoom(300, 300, 2);
    viewed.Pan(10, 10, 50, 80);
    for (Session* s : { &viewed, &plain })
        s->Draw(plant);
    EXPECT_EQ(viewed.session.figures().back().seed, plain.session.figures().back().seed);
    EXPECT_EQ(viewed.session.seed(), plain.session.seed());
}

// A notch shows 1.25 times the detail about the pointer: the point under it stays there, notch
// after notch, and as many notches back show the figure as it was, pixel for pixel.
TEST(DrawingSessionView, ZoomKeepsThePointUnderThePointer)
{
    Session s;
    s.Draw(PresetFields(Preset::Plant1, "0.05", 4));
    const plane::Raster before = s.plane.raster();
    const double column = 234;
    const double row = 378;
    const double x = s.plane.ColumnToX(column);
    const double y = s.plane.RowToY(row);
    const double scaleX = s.plane.ScaleX;
    const double aspect = s.plane.ScaleX / s.plane.ScaleY;
    s.Zoom(column, row, 1);
    EXPECT_DOUBLE_EQ(s.plane.ScaleX, 1.25 * scaleX);
    for (int notch = 1; notch < 60; ++notch)
        s.Zoom(column, row, 1);
    EXPECT_NEAR(s.plane.ScaleX * x + s.plane.OffsetX, column, 0.5);
    EXPECT_NEAR(s.plane.OffsetY - s.plane.ScaleY * y, row, 0.5);
    for (int notch = 0; notch < 60; ++notch)
        s.Zoom(column, row, -1);

    EXPECT_NEAR(s.plane.ScaleX * x + s.plane.OffsetX, column, 0.5);
    EXPECT_NEAR(s.plane.OffsetY - s.plane.ScaleY * y, row, 0.5);
    EXPECT_NEAR(s.plane.ScaleX / s.plane.ScaleY / aspect, 1.0, 1e-9);
    EXPECT_TRUE(SamePixels(before, s.plane.raster()));
}

TEST(DrawingSessionView, NothingToViewBeforeTheFirstDrawOrWhileATaskRuns)
{
    Session s;
    EXPECT_FALSE(s.session.Zoom(350, 350, 1.25));
    s.session.Draw(PresetFields(Preset::Plant3, "0", 10));
    EXPECT_FALSE(s.session.Pan(0, 0, 10, 10));
    s.session.Stop();
    EXPECT_TRUE(s.session.Pan(0, 0, 10, 10));
}

// The command line's Fit, the whole figure measured at once, sets the window fields as the
// session's Fit, measured in slices from the same generator state, does.
TEST(DrawingSession, FittedFieldsAreTheWindowTheSessionsFitSets)
{
    for (const Preset preset : { Preset::KochIsland, Preset::Plant1, Preset::Plant2 }) {
        SCOPED_TRACE(std::string(app::PresetName(preset)));
        const PanelFields fields = PresetFields(preset, "0.05", 4);
        Session session;
        session.session.SetSeed(1234);
        session.session.Fit(fields);
        session.session.RunToEnd();
        const PanelFields fitted = app::FittedFields(fields, 1234);
        EXPECT_EQ(fitted.x1, session.shown.x1);
        EXPECT_EQ(fitted.x2, session.shown.x2);
        EXPECT_EQ(fitted.y1, session.shown.y1);
        EXPECT_EQ(fitted.y2, session.shown.y2);
        EXPECT_NE(fitted.x1, fields.x1);
    }
}

TEST(DrawingSession, FitMeasuresWithoutTakingRandomNumbersThenClearsAndDraws)
{
    Session fitted;
    PanelFields fields = PresetFields(Preset::Plant1, "0.05", 3);
    fields.x1 = fields.x2 = "0"; // a window Fit replaces, so it need not be valid
    fitted.Draw(PresetFields(Preset::KochCurve));
    fitted.session.Fit(fields);
    fitted.session.RunToEnd();

    ASSERT_EQ(fitted.session.figures().size(), 1u);
    EXPECT_EQ(fitted.session.figures()[0].fields.x1, fitted.shown.x1);
    Session plain;
    plain.Draw(PresetFields(Preset::KochCurve));
    plain.session.Clear();
    plain.Draw(fitted.session.figures()[0].fields);
    EXPECT_TRUE(SamePixels(plain.plane.raster(), fitted.plane.raster()));
}

TEST(DrawingSession, FitOfAFigureWithoutExtentOrStoppedChangesNothing)
{
    struct Row {
        const char* name;
        const char* axiom;
        const char* ruleF;
        bool stopped;
    };
    const Row rows[] = {
        { "no extent", "+f-", "F", false },
        { "stopped while measuring", "F", "FFFFFFF", true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Session s;
        s.Draw(PresetFields(Preset::KochCurve));
        const plane::Raster drawn = s.plane.raster();
        PanelFields fields = PresetFields(Preset::KochCurve, "0", 10);
        fields.axiom = row.axiom;
        fields.ruleF = row.ruleF;
        s.session.Fit(fields);
        if (row.stopped) {
            EXPECT_FALSE(s.session.RunSlice(DrawingSession::Clock::now()));
            s.session.Stop();
        } else {
            s.session.RunToEnd();
        }
        EXPECT_FALSE(s.session.busy());
        EXPECT_EQ(s.shown.x1, ""); // no window was set
        EXPECT_EQ(s.session.figures().size(), 1u);
        EXPECT_TRUE(SamePixels(drawn, s.plane.raster()));
    }
}

TEST(DrawingSession, StopKeepsWhatWasDrawnAndRemembersHowFar)
{
    Session s;
    s.session.Draw(PresetFields(Preset::Plant3, "0", 10));
    s.session.RunSlice(DrawingSession::Clock::now());
    s.session.Stop();
    EXPECT_FALSE(s.session.busy());
    ASSERT_EQ(s.session.figures().size(), 1u);
    // How far the walk got depends on the clock; only that it began and did not end is certain.
    const std::uint64_t walked = s.session.figures()[0].symbolsWalked;
    EXPECT_GT(walked, 0u);
    EXPECT_LT(walked, UINT64_MAX);
}

} // namespace

namespace {

struct Prelude {
    const char* name;
    PanelFields before; // drawn first: moves the generator and sets the line colour
    PanelFields animated;
};

TEST(DrawingSessionAnimations, GrowthEndsAsClearAndDrawWouldHaveLeftIt)
{
    const Prelude rows[] = {
        { "random plant after a curve", PresetFields(Preset::KochCurve, "0.02"),
            PresetFields(Preset::Plant1, "0.05", 3) },
        { "curve after a plant keeps its colour rule", PresetFields(Preset::Plant2, "0.01", 2),
            PresetFields(Preset::KochCurve, "0", 3) },
    };
    for (const Prelude& row : rows) {
        SCOPED_TRACE(row.name);
        Session grown;
        Session drawn;
        for (Session* s : { &grown, &drawn })
            s->Draw(row.before);
        grown.session.AnimateGrowth(row.animated, std::chrono::milliseconds(0));
        grown.session.RunToEnd();
        drawn.session.Clear();
        drawn.Draw(row.animated);

        EXPECT_TRUE(SamePixels(grown.plane.raster(), drawn.plane.raster()));
        EXPECT_EQ(grown.session.seed(), drawn.session.seed());
        ASSERT_EQ(grown.session.figures().size(), 1u);
        const app::DrawnFigure& a = grown.session.figures()[0];
        const app::DrawnFigure& b = drawn.session.figures()[0];
        EXPECT_EQ(a.fields, b.fields);
        EXPECT_EQ(a.seed, b.seed);
        EXPECT_EQ(a.colourBefore, b.colourBefore);
        EXPECT_EQ(a.symbolsWalked, b.symbolsWalked);
        EXPECT_EQ(grown.plane.LineRed, drawn.plane.LineRed);
    }
}

// The figures are played in turn, each in its own window, the last one stopped before its
// first symbol; the end leaves the plane's pixels and mapping as they were.
TEST(DrawingSessionAnimations, PlaybackShowsTheTurtleOnlyAsAMarkerAndEndsWithTheFiguresWhole)
{
    for (const bool stopped : { false, true }) {
        SCOPED_TRACE(stopped ? "stopped" : "played to the end");
        Session s;
        PanelFields wide = PresetFields(Preset::KochCurve, "0", 2);
        wide.x2 = "4";
        s.Draw(wide);
        s.Draw(PresetFields(Preset::Plant3, "0.03", 5));
        wide.x2 = "5";
        s.session.Draw(wide);
        s.session.Stop();
        const plane::Raster whole = s.plane.raster();
        const plane::Viewport mapping = s.plane;
        s.session.PlayDrawing(std::chrono::seconds(5), std::chrono::milliseconds(0));
        s.session.RunSlice(DrawingSession::Clock::now());
        ASSERT_TRUE(s.session.busy());
        ASSERT_TRUE(s.session.marker().has_value());
        EXPECT_FALSE(SamePixels(whole, s.plane.raster())); // a part is shown, without a marker
        if (stopped)
            s.session.Stop();
        else
            s.session.RunToEnd();
        EXPECT_TRUE(SamePixels(whole, s.plane.raster()));
        EXPECT_EQ(s.plane.OffsetX, mapping.OffsetX);
        EXPECT_EQ(s.plane.ScaleX, mapping.ScaleX);
        EXPECT_FALSE(s.session.marker().has_value());
    }
}

TEST(DrawingSessionAnimations, StopDuringGrowthKeepsTheStepShown)
{
    Session s;
    s.session.AnimateGrowth(PresetFields(Preset::Plant3, "0", 8));
    s.session.RunSlice(DrawingSession::Clock::now());
    s.session.Stop();
    EXPECT_FALSE(s.session.busy());
    ASSERT_EQ(s.session.figures().size(), 1u);
    EXPECT_LE(s.session.figures()[0].fields.substCount, 8);
}

TEST(DrawingSessionSeed, TheSameSeedDrawsTheSameFigureAndTheLastRandomSeedIsKept)
{
    for (const PanelFields& figure :
        { PresetFields(Preset::Plant1, "0.08", 4), StochasticPlant(5) }) {
        const auto drawn = [&](std::uint32_t seed) {
            auto s = std::make_unique<Session>();
            s->session.SetSeed(seed);
            s->Draw(figure);
            return s;
        };
        const auto first = drawn(12345);
        EXPECT_TRUE(SamePixels(first->plane.raster(), drawn(12345)->plane.raster()));
        EXPECT_FALSE(SamePixels(first->plane.raster(), drawn(54321)->plane.raster()));
        EXPECT_EQ(first->session.lastRandomSeed(), 12345u);

        first->Draw(PresetFields(Preset::KochCurve, "0"));
        EXPECT_EQ(first->session.lastRandomSeed(), std::nullopt);
    }
}

} // namespace
