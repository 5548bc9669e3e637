#include "app/core/prepared_draw.h"

#include "app/core/draw_job.h"
#include "app/core/drawing_session.h"
#include "app/core/plane_canvas.h"
#include "app/core/presets.h"
#include "fpu/floating_point_error.h"
#include "lsystem/rewriting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using app::Preset;

// The fields as the control panel shows them right after start-up.
app::PanelFields StartupInput()
{
    return {};
}

constexpr plane::Rgb Black { 0, 0, 0 };
constexpr plane::Rgb Red { 255, 0, 0 };
constexpr plane::Rgb Green { 4, 123, 22 };

// Remembers the segments it is given and hands them on to `next`, when there is one.
class RecordingCanvas : public lsystem::Canvas {
public:
    struct Segment {
        plane::TVector3 start, end;
        plane::Rgb colour;
        std::int32_t penWidth;
    };
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        segments.push_back({ start, end, colour, penWidth });
        if (next)
            next->DrawSegment(start, end, colour, penWidth);
    }
    std::vector<Segment> segments;
    lsystem::Canvas* next = nullptr;
};

// What a Draw computes, and the segments its walk draws from a fresh random generator.
struct Walked {
    app::PreparedDraw draw;
    std::vector<RecordingCanvas::Segment> segments;
};

Walked Walk(const app::PanelFields& input, plane::Rgb colourBefore = Black,
    std::uint64_t symbolLimit = std::numeric_limits<std::uint64_t>::max())
{
    Walked walked { app::PrepareDraw(input, colourBefore, app::PlaneSize), {} };
    RecordingCanvas canvas;
    lsystem::RandomGenerator random;
    app::DrawJob job(walked.draw.walk.params, walked.draw.walk.style, random, canvas, symbolLimit);
    job.RunSlice(app::DrawJob::Clock::time_point::max());
    walked.segments = std::move(canvas.segments);
    return walked;
}

// A plane as the program has one, and the session that draws on it.
struct Session {
    Session() { plane.SetPlaneSize(app::PlaneSize, app::PlaneSize); }

    void Draw(const app::PanelFields& input)
    {
        session.Draw(input);
        session.RunToEnd();
    }
    plane::Rgb lineColour() const { return plane.lineColour(); }
    int PixelsOf(plane::Rgb colour) const
    {
        int count = 0;
        for (int y = 0; y < plane.raster().height(); ++y)
            for (int x = 0; x < plane.raster().width(); ++x)
                count += plane.raster().Pixel(x, y) == colour;
        return count;
    }

    plane::Plane plane;
    app::DrawingSession session { plane };
};

TEST(PreparedDraw, StartupValuesDrawARedKochCurve)
{
    const Walked walked = Walk(StartupInput());
    const lsystem::DrawParams& params = walked.draw.walk.params;
    EXPECT_EQ(walked.draw.walk.style.colour, Red);
    EXPECT_EQ(
        lsystem::RewrittenLength(params.Word, params.RuleF, params.RuleG, params.SubstCount), 36u);
    EXPECT_EQ(params.StepLength, 1.0 * (1.0 / 3.0) * (1.0 / 3.0));
    ASSERT_EQ(walked.segments.size(), 16u);
    for (const auto& segment : walked.segments) {
        EXPECT_EQ(segment.colour, Red);
        EXPECT_LE(segment.penWidth, 1);
    }
    EXPECT_EQ(walked.draw.view.mapping.ScaleX, 700 / (1.1 - -0.1));
    EXPECT_EQ(walked.draw.view.mapping.OffsetY, 0.7 * (700 / (0.7 - -0.5)));

    Session s;
    s.Draw(StartupInput());
    EXPECT_EQ(s.lineColour(), Red);
    EXPECT_EQ(s.plane.ScaleX, walked.draw.view.mapping.ScaleX);
    EXPECT_GT(s.PixelsOf(Red), 500);
}

TEST(PreparedDraw, CurveColourStaysForCountOneAndFollowsAPlant)
{
    app::PanelFields input = StartupInput();
    input.substCount = 1;
    Session s;
    s.Draw(input);
    EXPECT_EQ(s.lineColour(), Black);

    app::PanelFields plant = StartupInput();
    plant.preset = Preset::Plant1;
    s.Draw(plant);
    s.Draw(input);
    EXPECT_EQ(s.lineColour(), Green);
    EXPECT_EQ(Walk(input, Green).segments.back().colour, Green);
}

TEST(PreparedDraw, Plant2AtEightSubstitutions)
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
        EXPECT_EQ(s.lineColour(), row.colourAfter);
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
    EXPECT_EQ(s.lineColour(), (plane::Rgb { 0, 0, 255 }));
    EXPECT_EQ(s.plane.ScaleX, 700 / (1.1 - -0.1));
}

TEST(PreparedDraw, OverflowingStepLengthFaults)
{
    app::PanelFields input = StartupInput();
    input.length = "10^200";
    try {
        Walk(input);
        FAIL() << "no fault";
    } catch (const fpu::FloatingPointError& error) {
        EXPECT_EQ(error.fault(), fpu::Fault::Overflow);
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
        app::DrawJob job(draw.walk.params, draw.walk.style, random, canvas);
        try {
            job.RunSlice(app::DrawJob::Clock::time_point::max());
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
    std::string word = params.Word;
    for (int step = 0; step < input.substCount; ++step)
        lsystem::Substitute(word, word, params.RuleF, params.RuleG);
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
