#include "app/core/record/prepared_draw.h"

#include "app/core/jobs/sliced_walk.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/presets.h"
#include "app/core/record/rule_text.h"
#include "app/core/session/drawing_session.h"
#include "fpu/floating_point_error.h"
#include "lsystem/rules/expansion.h"
#include "lsystem/rules/rewriting.h"
#include "lsystem/turtle.h"
#include "tests/core/session_fixture.h"
#include "tests/lsystem/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using app::Preset;
using lsystem::RecordedSegment;
using lsystem::RecordingCanvas;
using test_support::SamePixels;
using test_support::Session;

// The fields as the control panel shows them right after start-up.
app::PanelFields StartupInput()
{
    return {};
}

constexpr plane::Rgb Black { 0, 0, 0 };
constexpr plane::Rgb Red { 255, 0, 0 };
constexpr plane::Rgb Blue { 0, 0, 255 };
constexpr plane::Rgb Green { 4, 123, 22 };

// What a Draw computes, and the segments its walk draws from a fresh random generator.
struct Walked {
    app::PreparedDraw draw;
    std::vector<RecordedSegment> segments;
};

Walked Walk(const app::PanelFields& input, plane::Rgb colourBefore = Black,
    std::uint64_t symbolLimit = std::numeric_limits<std::uint64_t>::max())
{
    Walked walked { app::PrepareDraw(input, colourBefore, app::PlaneSize), {} };
    RecordingCanvas canvas;
    lsystem::RandomGenerator random;
    app::SlicedWalk walk(
        walked.draw.walk.params, walked.draw.walk.style, random, canvas, symbolLimit);
    walk.RunSlice(app::SlicedWalk::Clock::time_point::max());
    walked.segments = std::move(canvas.segments);
    return walked;
}

TEST(PreparedDraw, StartupValuesDrawARedKochCurve)
{
    const Walked walked = Walk(StartupInput());
    const lsystem::DrawParams& params = walked.draw.walk.params;
    EXPECT_EQ(walked.draw.walk.style.colour, Red);
    EXPECT_EQ(lsystem::WordLength(lsystem::WordOf(params, 0)), 36u);
    EXPECT_EQ(params.StepLength, 1.0 * (1.0 / 3.0) * (1.0 / 3.0));
    ASSERT_EQ(walked.segments.size(), 16u);
    for (const auto& segment : walked.segments) {
        EXPECT_EQ(segment.colour, Red);
        EXPECT_LE(segment.penWidth, 1);
    }
    // Turned to run from (0, 0) to (1, 0).
    EXPECT_NEAR(walked.segments.front().start.x, 0, 1e-15);
    EXPECT_NEAR(walked.segments.front().start.y, 0, 1e-15);
    EXPECT_NEAR(walked.segments.back().end.x, 1, 1e-15);
    EXPECT_NEAR(walked.segments.back().end.y, 0, 1e-15);
    EXPECT_EQ(walked.draw.view.mapping.ScaleX, 700 / (1.1 - -0.1));
    EXPECT_EQ(walked.draw.view.mapping.OffsetY, 0.7 * (700 / (0.7 - -0.5)));

    // The session's plane shows those segments as the plane draws them one by one, a pixel wide.
    Session s;
    s.Draw(StartupInput());
    EXPECT_EQ(s.plane.lineColour(), Red);
    EXPECT_EQ(s.plane.ScaleX, walked.draw.view.mapping.ScaleX);
    plane::Plane expected;
    expected.SetPlaneSize(app::PlaneSize, app::PlaneSize);
    expected.SetWorldWindow(-0.1, 1.1, -0.5, 0.7);
    expected.SetPenWidth(1);
    for (const RecordedSegment& segment : walked.segments)
        expected.DrawLine(segment.start, segment.end, Red.red, Red.green, Red.blue);
    EXPECT_TRUE(SamePixels(s.plane.raster(), expected.raster()));
}

// A curve is red at an even count from 2 to 8 and blue at an odd one from 3 to 7; at any other
// count it keeps the line colour of the figure before. A plant is always green.
TEST(PreparedDraw, TheColourFollowsTheKindAndTheCount)
{
    struct Row {
        Preset preset;
        int count;
        plane::Rgb before;
        plane::Rgb colour;
    };
    const Row rows[] = {
        { Preset::KochCurve, 2, Black, Red },
        { Preset::Sierpinski2, 8, Green, Red },
        { Preset::KochIsland, 3, Black, Blue },
        { Preset::Sierpinski1, 7, Red, Blue },
        { Preset::KochCurve, 1, Black, Black },
        { Preset::KochCurve, 1, Green, Green },
        { Preset::KochIsland, 9, Blue, Blue },
        { Preset::KochCurve, 0, Green, Green },
        { Preset::Plant1, 0, Red, Green },
        { Preset::Plant4, 5, Blue, Green },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << app::PresetName(row.preset) << " at " << row.count);
        const app::PanelFields input = test_support::PresetFields(row.preset, "0", row.count);
        const Walked walked = Walk(input, row.before, 40);
        EXPECT_EQ(walked.draw.walk.style.colour, row.colour);
        ASSERT_FALSE(walked.segments.empty());
        EXPECT_EQ(walked.segments.back().colour, row.colour);
    }

    // The session hands each figure the line colour the one before left.
    app::PanelFields once = StartupInput();
    once.substCount = 1;
    Session s;
    s.Draw(once);
    EXPECT_EQ(s.plane.lineColour(), Black);
    s.Draw(test_support::PresetFields(Preset::Plant1));
    s.Draw(once);
    EXPECT_EQ(s.plane.lineColour(), Green);
}

TEST(PreparedDraw, Plant2AtEightSubstitutionsStartsAGreenTrunkSixteenPixelsWide)
{
    app::PanelFields input = StartupInput();
    app::ApplyPreset(Preset::Plant2, input);
    input.substCount = 8;
    const Walked walked = Walk(input, Black, 1000);
    double step = 1.0;
    for (int i = 0; i < 8; ++i)
        step *= 0.49;
    EXPECT_EQ(walked.draw.walk.params.StepLength, step);
    ASSERT_FALSE(walked.segments.empty());
    EXPECT_EQ(walked.segments.front().penWidth, 16);
    EXPECT_EQ(walked.draw.walk.style.colour, Green);
}

TEST(PreparedDraw, CountZeroWalksTheAxiomWithUnitStepAndThinPen)
{
    app::PanelFields input = StartupInput();
    input.preset = Preset::Plant3;
    input.axiom = "FF";
    input.substCount = 0;
    const Walked walked = Walk(input);
    EXPECT_EQ(walked.draw.walk.params.Word, "FF");
    EXPECT_EQ(walked.draw.walk.params.StepLength, 1.0);
    ASSERT_EQ(walked.segments.size(), 2u);
    EXPECT_EQ(walked.segments[0].penWidth, 1);
}

TEST(PreparedDraw, AngleIsANumberWithAPoint)
{
    struct Row {
        const char* angle;
        bool converts;
        double value;
    };
    const Row rows[] = {
        { "22.5", true, 22.5 },
        { " 60 ", true, 60 },
        { "22,5", false, 0 },
        { "45/2", false, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.angle);
        app::PanelFields input = StartupInput();
        input.angle = row.angle;
        if (row.converts) {
            EXPECT_EQ(Walk(input).draw.walk.params.Angle, row.value);
            continue;
        }
        try {
            Walk(input);
            ADD_FAILURE() << "the angle converted";
        } catch (const app::AngleError& error) {
            EXPECT_EQ(std::string(error.what()),
                std::string("'") + row.angle + "' is not a valid floating point value");
        }
    }
}

// The more rules go to the walk at any count; a faulty one is raised after every other field.
TEST(PreparedDraw, MoreRulesReachTheWalkOrRaiseTheirRow)
{
    app::PanelFields input = StartupInput();
    input.moreRules = { { "X", "1", "F(+X)" }, { "F", "0.5", "FF" } };
    const std::vector<lsystem::Rule> rules { { 'X', 1.0, "F(+X)" }, { 'F', 0.5, "FF" } };
    const app::PreparedWalk walk = app::PrepareWalk(input, Black);
    EXPECT_EQ(walk.params.MoreRules, rules);
    EXPECT_EQ(app::WalkAtCount(walk, input.preset, 5, Black).params.MoreRules, rules);

    input.moreRules.push_back({ "Y", "0", "F" });
    try {
        app::PrepareWalk(input, Black);
        ADD_FAILURE() << "no RuleError";
    } catch (const app::RuleError& error) {
        EXPECT_EQ(error.row(), 5u);
        EXPECT_EQ(
            std::string(error.what()), "Rules, row 5: the weight \"0\" is not a positive number.");
    }
    input.angle = "2,5";
    EXPECT_THROW(app::PrepareWalk(input, Black), app::AngleError);
}

// A figure's seed matters when its walk chooses: by its random amplitude, or among a symbol's
// alternatives, where F and G count their fields' rules.
TEST(PreparedDraw, AWalkTakesRandomNumbersForItsAmplitudeOrItsAlternatives)
{
    struct Row {
        const char* name;
        double amplitude;
        std::vector<lsystem::Rule> rules;
        bool takes;
    };
    const Row rows[] = {
        { "an amplitude", 0.01, {}, true },
        { "one rule each for X and f", 0.0, { { 'X', 1.0, "F" }, { 'f', 2.0, "G" } }, false },
        { "two rules for X", 0.0, { { 'X', 1.0, "F" }, { 'Y', 1.0, "G" }, { 'X', 3.0, "FX" } },
            true },
        { "a rule beside G's field", 0.0, { { 'G', 1.0, "GG" } }, true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        lsystem::DrawParams params;
        params.RandomAmp = row.amplitude;
        params.MoreRules = row.rules;
        EXPECT_EQ(app::TakesRandomNumbers(params), row.takes);
    }
}

TEST(PreparedDraw, RejectedExpressionEndsDrawAtItsField)
{
    struct Row {
        const char* name;
        std::string app::PanelFields::*field;
        app::ExpressionField which;
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        { "division by zero in x1", &app::PanelFields::x1, app::ExpressionField::X1, "1/0",
            "'1/0' is not a valid expression: Dělení nulou" },
        { "letters in y2", &app::PanelFields::y2, app::ExpressionField::Y2, "abc",
            "'abc' is not a valid expression: Chybny vyraz" },
        { "empty length", &app::PanelFields::length, app::ExpressionField::Length, "",
            "'' is not a valid expression: Chybny vyraz" },
        { "two points in random", &app::PanelFields::random, app::ExpressionField::Random, "1..2",
            "'1..2' is not a valid expression: Chybne cislo" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        app::PanelFields input = StartupInput();
        input.*row.field = row.text;
        try {
            Walk(input);
            ADD_FAILURE() << "the text was accepted";
        } catch (const app::ExpressionError& error) {
            EXPECT_EQ(error.field(), row.which);
            EXPECT_EQ(std::string(error.what()), row.message);
        }
    }
}

// A Draw whose window fails changes nothing; one whose window is valid but a later field fails
// has already given the plane the figure's line colour, and nothing else: no mapping, no window
// to view, no figure.
TEST(PreparedDraw, AFailingFieldLeavesThePlaneAsDrawLeavesIt)
{
    struct Row {
        const char* name;
        const char* x2;
        const char* angle;
        plane::Rgb colourAfter;
    };
    const Row rows[] = {
        { "equal window bounds", "1/2", "25", Red },
        { "angle after a valid window", "1.1", "2,5", Green },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Session s;
        s.Draw(StartupInput());
        const plane::Viewport mapping = s.plane;
        const app::WorldWindow window = *s.session.shownWindow();
        app::PanelFields input = StartupInput();
        input.preset = Preset::Plant1;
        input.x1 = "0.5";
        input.x2 = row.x2;
        input.angle = row.angle;
        try {
            s.Draw(input);
            ADD_FAILURE() << "no fault";
        } catch (const fpu::FloatingPointError& error) {
            EXPECT_EQ(std::string(error.what()), "Floating point division by zero");
        } catch (const app::AngleError& error) {
            EXPECT_EQ(std::string(error.what()), "'2,5' is not a valid floating point value");
        }
        EXPECT_EQ(s.plane.lineColour(), row.colourAfter);
        EXPECT_EQ(s.plane.ScaleX, mapping.ScaleX);
        EXPECT_EQ(s.plane.OffsetX, mapping.OffsetX);
        EXPECT_EQ(s.session.shownWindow()->x1, window.x1);
        EXPECT_EQ(s.session.figures().size(), 1u);
        EXPECT_FALSE(s.session.busy());
    }
}

TEST(PreparedDraw, EmptyAxiomDrawsNothingButSetsWindowAndColour)
{
    app::PanelFields input = StartupInput();
    input.axiom = "";
    input.substCount = 3;
    Session s;
    s.Draw(input);
    EXPECT_EQ(s.PixelsOf({ 255, 255, 255 }), app::PlaneSize * app::PlaneSize);
    EXPECT_EQ(s.plane.lineColour(), Blue);
    EXPECT_EQ(s.plane.ScaleX, 700 / (1.1 - -0.1));
}

// An arithmetic fault in reading an expression field, or in the step length the length makes at
// the count, is the field's, with the fault's own message.
TEST(PreparedDraw, ArithmeticFaultsNameTheirField)
{
    struct Row {
        const char* name;
        std::string app::PanelFields::*text;
        const char* value;
        app::ExpressionField field;
    };
    const Row rows[] = {
        { "a window bound", &app::PanelFields::y2, "10^400", app::ExpressionField::Y2 },
        { "the length", &app::PanelFields::length, "10^400", app::ExpressionField::Length },
        { "the step length at the count", &app::PanelFields::length, "10^200",
            app::ExpressionField::Length },
        { "the random amplitude", &app::PanelFields::random, "10^400",
            app::ExpressionField::Random },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        app::PanelFields input = StartupInput();
        input.*row.text = row.value;
        try {
            app::PrepareDraw(input, Black, app::PlaneSize);
            ADD_FAILURE() << "no fault";
        } catch (const app::FieldArithmeticError& error) {
            EXPECT_EQ(error.field(), row.field);
            EXPECT_EQ(error.fault(), fpu::Fault::Overflow);
            EXPECT_STREQ(error.what(), "Floating point overflow");
        }
    }
}

// Values near the largest double: a turned end point, a perturbed step and the plane's mapping
// of an end point overflow on the way to the pixels and are reported as overflow, not as the
// invalid operation that the infinity would cause later.
TEST(PreparedDraw, OverflowOnTheWayToThePlaneIsReportedAsOverflow)
{
    struct Row {
        const char* name;
        const char* windowLow; // x1 and y1
        const char* windowHigh; // x2 and y2
        Preset preset;
        const char* axiom;
        const char* ruleF;
        const char* length;
        const char* random;
        const char* angle;
        std::size_t drawnBefore;
    };
    const Row rows[] = {
        { "turned end point", "-8*10^307", "8*10^307", Preset::Sierpinski2, "F", "F-F",
            "135*10^306", "0", "90", 1 },
        { "perturbed step", "-8*10^307", "8*10^307", Preset::Plant2, "FFF", "F", "15*10^307",
            "9*10^307", "0", 2 },
        { "mapped y", "0", "1", Preset::Plant2, "F", "F", "15*10^307", "0", "0", 1 },
        { "mapped x", "0", "1", Preset::Plant2, "-F", "F", "15*10^307", "0", "90", 1 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        app::PanelFields input = StartupInput();
        input.preset = row.preset;
        input.x1 = input.y1 = row.windowLow;
        input.x2 = input.y2 = row.windowHigh;
        input.axiom = row.axiom;
        input.ruleF = row.ruleF;
        input.ruleG = "G";
        input.length = row.length;
        input.random = row.random;
        input.angle = row.angle;
        input.substCount = 1;

        const app::PreparedDraw draw = app::PrepareDraw(input, Black, app::PlaneSize);
        plane::Plane plane;
        plane.SetPlaneSize(app::PlaneSize, app::PlaneSize);
        app::PlaneCanvas planeCanvas(plane);
        planeCanvas.SetMapping(draw.view.mapping);
        RecordingCanvas canvas;
        canvas.next = &planeCanvas;
        lsystem::RandomGenerator random;
        app::SlicedWalk walk(draw.walk.params, draw.walk.style, random, canvas);
        try {
            walk.RunSlice(app::SlicedWalk::Clock::time_point::max());
            ADD_FAILURE() << "no fault";
        } catch (const fpu::FloatingPointError& error) {
            EXPECT_EQ(error.fault(), fpu::Fault::Overflow);
        }
        EXPECT_EQ(canvas.segments.size(), row.drawnBefore);
    }
}

// A figure walked up to a number of symbols draws exactly the segments of the drawing symbols
// among that many first symbols of the rewritten word, the same as the whole figure's.
TEST(PreparedDraw, SymbolLimitEndsTheWalkAfterThatManySymbols)
{
    app::PanelFields input = StartupInput();
    input.substCount = 4;
    input.random = "0.1";
    const Walked whole = Walk(input);
    const lsystem::DrawParams& params = whole.draw.walk.params;
    const std::string word = lsystem::Rewrite(lsystem::WordOf(params, 0));
    for (const std::size_t limit : { std::size_t { 0 }, std::size_t { 1 }, std::size_t { 100 },
             word.size() - 1, word.size() }) {
        SCOPED_TRACE(limit);
        const Walked walked = Walk(input, Black, limit);
        const auto drawing = static_cast<std::size_t>(
            std::count_if(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(limit),
                [](char symbol) { return symbol == 'F' || symbol == 'G'; }));
        ASSERT_EQ(walked.segments.size(), drawing);
        for (std::size_t i = 0; i < drawing; ++i) {
            EXPECT_EQ(walked.segments[i].end.x, whole.segments[i].end.x);
            EXPECT_EQ(walked.segments[i].end.y, whole.segments[i].end.y);
        }
    }
}

} // namespace
