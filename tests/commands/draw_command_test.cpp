#include "app/draw_command.h"

#include "app/core/plane_canvas.h"
#include "fpu/floating_point_error.h"
#include "lsystem/rewriting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using app::Preset;

// The fields as the control panel shows them right after start-up.
app::PanelFields StartupInput()
{
    return {};
}

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

class DrawCommand : public testing::Test {
protected:
    DrawCommand() { plane.SetPlaneSize(700, 700); }

    void Draw(const app::PanelFields& input, const std::string& decimalSeparator = ".")
    {
        app::RunDraw(input, decimalSeparator, { plane, params, random }, canvas);
    }

    plane::Rgb lineColour() const { return { plane.LineRed, plane.LineGreen, plane.LineBlue }; }

    plane::Plane plane;
    lsystem::DrawParams params;
    lsystem::RandomGenerator random;
    RecordingCanvas canvas;
};

TEST_F(DrawCommand, StartupValuesDrawARedKochCurve)
{
    Draw(StartupInput());
    EXPECT_EQ(lineColour(), (plane::Rgb { 255, 0, 0 }));
    EXPECT_EQ(
        lsystem::RewrittenLength(params.Word, params.RuleF, params.RuleG, params.SubstCount), 36u);
    EXPECT_EQ(params.StepLength, 1.0 * (1.0 / 3.0) * (1.0 / 3.0));
    ASSERT_EQ(canvas.segments.size(), 16u);
    for (const auto& segment : canvas.segments) {
        EXPECT_EQ(segment.colour, lineColour());
        EXPECT_LE(segment.penWidth, 1);
    }
    EXPECT_EQ(plane.ScaleX, 700 / (1.1 - -0.1));
    EXPECT_EQ(plane.OffsetY, 0.7 * (700 / (0.7 - -0.5)));
}

TEST_F(DrawCommand, CurveColourStaysForCountOneAndFollowsAPlant)
{
    app::PanelFields input = StartupInput();
    input.substCount = 1;
    Draw(input);
    EXPECT_EQ(lineColour(), (plane::Rgb { 0, 0, 0 }));

    app::PanelFields plant = StartupInput();
    plant.preset = Preset::Plant1;
    Draw(plant);
    Draw(input);
    EXPECT_EQ(lineColour(), (plane::Rgb { 4, 123, 22 }));
    EXPECT_EQ(canvas.segments.back().colour, (plane::Rgb { 4, 123, 22 }));
}

TEST_F(DrawCommand, Plant2AtEightSubstitutions)
{
    const app::PresetFields fields = app::PresetValues(Preset::Plant2, ".");
    app::PanelFields input = StartupInput();
    input.preset = Preset::Plant2;
    input.axiom = fields.axiom;
    input.ruleF = fields.ruleF;
    input.ruleG = fields.ruleG;
    input.length = fields.length;
    input.angle = fields.angle;
    input.substCount = 8;
    Draw(input);
    double step = 1.0;
    for (int i = 0; i < 8; ++i)
        step *= 0.49;
    EXPECT_EQ(params.StepLength, step);
    EXPECT_EQ(canvas.segments.front().penWidth, 16);
    EXPECT_EQ(lineColour(), (plane::Rgb { 4, 123, 22 }));
}

TEST_F(DrawCommand, CountZeroWalksTheAxiomWithUnitStepAndThinPen)
{
    app::PanelFields input = StartupInput();
    input.preset = Preset::Plant3;
    input.axiom = "FF";
    input.substCount = 0;
    Draw(input);
    EXPECT_EQ(params.Word, "FF");
    EXPECT_EQ(params.StepLength, 1.0);
    ASSERT_EQ(canvas.segments.size(), 2u);
    EXPECT_EQ(canvas.segments[0].penWidth, 1);
}

TEST_F(DrawCommand, AngleIsReadWithTheLocaleSeparator)
{
    struct Row {
        const char* angle;
        const char* separator;
        bool converts;
        double value;
    };
    const Row rows[] = {
        { "22,5", ",", true, 22.5 },
        { "22,5", ".", false, 0 },
        { "22.5", ".", true, 22.5 },
        { "45/2", ",", false, 0 },
        { "45/2", ".", false, 0 },
        { " 60 ", ",", true, 60 },
        { " 60 ", ".", true, 60 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.angle << " with " << row.separator);
        app::PanelFields input = StartupInput();
        input.angle = row.angle;
        input.x1 = "-1";
        params.Angle = -1;
        canvas.segments.clear();
        if (row.converts) {
            Draw(input, row.separator);
            EXPECT_EQ(params.Angle, row.value);
            continue;
        }
        try {
            Draw(input, row.separator);
            ADD_FAILURE() << "the angle converted";
        } catch (const app::AngleError& error) {
            EXPECT_EQ(std::string(error.what()),
                std::string("'") + row.angle + "' is not a valid floating point value");
        }
        // The steps before the angle took effect, the rest did not.
        EXPECT_EQ(plane.X1, -1);
        EXPECT_EQ(params.Angle, -1);
        EXPECT_TRUE(canvas.segments.empty());
    }
}

TEST_F(DrawCommand, EqualWindowBoundsFaultAfterStoringThem)
{
    Draw(StartupInput());
    const double scaleX = plane.ScaleX;
    app::PanelFields input = StartupInput();
    input.preset = Preset::Plant1;
    input.x1 = "0.5";
    input.x2 = "1/2";
    input.axiom = "FFFF";
    try {
        Draw(input);
        FAIL() << "no fault";
    } catch (const fpu::FloatingPointError& error) {
        EXPECT_EQ(std::string(error.what()), "Floating point division by zero");
    }
    EXPECT_EQ(plane.X1, 0.5);
    EXPECT_EQ(plane.X2, 0.5);
    EXPECT_EQ(plane.Y1, -0.5);
    EXPECT_EQ(plane.ScaleX, scaleX);
    EXPECT_EQ(lineColour(), (plane::Rgb { 255, 0, 0 }));
    EXPECT_EQ(params.Word, StartupInput().axiom);
}

TEST_F(DrawCommand, RejectedExpressionEndsDrawAtItsField)
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
        canvas.segments.clear();
        try {
            Draw(input);
            ADD_FAILURE() << "the text was accepted";
        } catch (const app::ExpressionError& error) {
            EXPECT_EQ(error.field(), row.which);
            EXPECT_EQ(std::string(error.what()), row.message);
        }
        EXPECT_TRUE(canvas.segments.empty());
    }
}

TEST_F(DrawCommand, EmptyAxiomDrawsNothingButSetsWindowAndColour)
{
    app::PanelFields input = StartupInput();
    input.axiom = "";
    input.substCount = 3;
    Draw(input);
    EXPECT_TRUE(canvas.segments.empty());
    EXPECT_EQ(lineColour(), (plane::Rgb { 0, 0, 255 }));
    EXPECT_EQ(plane.ScaleX, 700 / (1.1 - -0.1));
}

TEST_F(DrawCommand, OverflowingStepLengthFaults)
{
    app::PanelFields input = StartupInput();
    input.length = "10^200";
    try {
        Draw(input);
        FAIL() << "no fault";
    } catch (const fpu::FloatingPointError& error) {
        EXPECT_EQ(error.fault(), fpu::Fault::Overflow);
    }
    EXPECT_TRUE(canvas.segments.empty());
}

// Values near the largest double: a turned end point, a perturbed step and the plane's mapping
// of an end point overflow on the way to the pixels and are reported as overflow, not as the
// invalid operation that the infinity would cause later.
TEST_F(DrawCommand, OverflowOnTheWayToThePlaneIsReportedAsOverflow)
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
        random = lsystem::RandomGenerator();
        canvas.segments.clear();
        app::PlaneCanvas planeCanvas(plane);
        canvas.next = &planeCanvas;
        try {
            Draw(input);
            ADD_FAILURE() << "no fault";
        } catch (const fpu::FloatingPointError& error) {
            EXPECT_EQ(error.fault(), fpu::Fault::Overflow);
        }
        EXPECT_EQ(canvas.segments.size(), row.drawnBefore);
    }
}

// A figure replayed up to a number of symbols draws exactly the segments of the drawing
// symbols among that many first symbols of the rewritten word, the same as the whole figure's.
TEST_F(DrawCommand, SymbolLimitEndsTheWalkAfterThatManySymbols)
{
    app::PanelFields input = StartupInput();
    input.substCount = 4;
    input.random = "0.1";
    Draw(input);
    const auto whole = canvas.segments;
    std::string word = params.Word;
    for (int step = 0; step < input.substCount; ++step)
        lsystem::Substitute(word, word, params.RuleF, params.RuleG);
    for (const std::size_t limit : { std::size_t { 0 }, std::size_t { 1 }, std::size_t { 100 },
             word.size() - 1, word.size() }) {
        SCOPED_TRACE(limit);
        canvas.segments.clear();
        random = lsystem::RandomGenerator();
        app::RunDraw(input, ".", { plane, params, random }, canvas, limit);
        const auto drawing = static_cast<std::size_t>(
            std::count_if(word.begin(), word.begin() + static_cast<std::ptrdiff_t>(limit),
                [](char symbol) { return symbol == 'F' || symbol == 'G'; }));
        ASSERT_EQ(canvas.segments.size(), drawing);
        for (std::size_t i = 0; i < drawing; ++i) {
            EXPECT_EQ(canvas.segments[i].end.x, whole[i].end.x);
            EXPECT_EQ(canvas.segments[i].end.y, whole[i].end.y);
        }
    }
}

TEST_F(DrawCommand, DrawsOntoThePlaneRaster)
{
    app::PlaneCanvas planeCanvas(plane);
    app::RunDraw(StartupInput(), ".", { plane, params, random }, planeCanvas);
    int red = 0;
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 700; ++x)
            red += plane.raster().Pixel(x, y) == plane::Rgb { 255, 0, 0 };
    EXPECT_GT(red, 500);
}

} // namespace
