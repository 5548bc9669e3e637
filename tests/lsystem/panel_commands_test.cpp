#include "lsystem/commands/panel_commands.h"

#include "lsystem/explore/explore_walk.h"
#include "lsystem/explore/subfigure_bounds.h"
#include "lsystem/explore/subfigure_pens.h"
#include "lsystem/panel/turtle_state.h"
#include "lsystem/turtle.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace lsystem {
namespace {

constexpr double Angle = 30.0;
constexpr std::int32_t StartWidth = 20;
constexpr std::int32_t Narrowing = 3;

DrawParams Params()
{
    DrawParams params;
    params.Angle = Angle;
    params.StepLength = 1.0;
    params.PenWidth = StartWidth;
    return params;
}

WalkStyle Style()
{
    WalkStyle style;
    style.narrowing = Narrowing;
    return style;
}

// The segments the turtle draws for `word`, which the Explore walk, whose view holds them all,
// must draw alike, bit for bit.
std::vector<RecordedSegment> Walked(const std::string& word)
{
    RandomGenerator random;
    RecordingCanvas turtle;
    DrawWord(word, Params(), Style(), random, turtle);
    DrawParams params = Params();
    params.Word = word;
    RecordingCanvas explored;
    ExploreWalk walk(params, Style(), { -10.0, 10.0, -10.0, 10.0, 1.0, 1.0 }, 0.0, explored);
    while (!walk.Advance(1)) { }
    EXPECT_EQ(explored.segments.size(), turtle.segments.size());
    for (std::size_t i = 0; i < std::min(explored.segments.size(), turtle.segments.size()); ++i) {
        const RecordedSegment& a = turtle.segments[i];
        const RecordedSegment& b = explored.segments[i];
        EXPECT_TRUE(a.start.x == b.start.x && a.start.y == b.start.y && a.end.x == b.end.x
            && a.end.y == b.end.y && a.penWidth == b.penWidth)
            << "segment " << i;
    }
    return turtle.segments;
}

// Every byte, as a one-symbol word between steps, is walked by the turtle and the Explore walk
// alike, and does to the turtle what its sub-figure's bound and pen say: the steps it draws lie
// in the bound's disc and number as the pen counts them, it ends where the bound's end and turn
// put it, leaves open the branches the bound counts, and narrows the pen as often as the pen
// says, whether a run of steps comes before it or not.
TEST(PanelCommands, EveryByteMeansTheSameToEveryReader)
{
    const SubfigureBounds bounds(RuleTable(), Angle, 0.0, 0);
    const SubfigurePens pens(RuleTable(), 0);
    for (int byte = 0; byte < 256; ++byte) {
        const char symbol = static_cast<char>(byte);
        SCOPED_TRACE(testing::Message() << "byte " << byte);
        const SubfigureBound& bound = bounds.Of(symbol, 0);
        const SubfigurePen& pen = pens.Of(symbol, 0);
        const std::string one(1, symbol);

        // After a step from the origin the turtle stands at (0, 1), heading up.
        const std::vector<RecordedSegment> segments = Walked("F" + one + "F");
        ASSERT_GE(segments.size(), 2u);
        const std::size_t drawn = segments.size() - 2;
        EXPECT_EQ(pen.steps, static_cast<double>(drawn));
        EXPECT_EQ(pen.draws, drawn != 0);
        const RecordedSegment& after = segments.back();
        EXPECT_EQ(after.penWidth,
            TurtleState::Narrowed(StartWidth, Narrowing, pen.effect[true].narrowings));
        if (bound.selfContained) {
            for (std::size_t i = 1; i <= drawn; ++i)
                EXPECT_LE(std::hypot(segments[i].end.x, segments[i].end.y - 1.0), bound.radius);
            ASSERT_TRUE(bound.endFixed);
            EXPECT_EQ(after.start.x, -bound.left);
            EXPECT_EQ(after.start.y, 1.0 + bound.along);
            const double heading = -static_cast<double>(bound.leftTurns) * Angle * M_PI / 180.0;
            EXPECT_NEAR(after.end.x - after.start.x, std::sin(heading), 1e-12);
            EXPECT_NEAR(after.end.y - after.start.y, std::cos(heading), 1e-12);
        } else {
            // Only a ")" has no bound: it may restore a state saved before its sub-figure.
            EXPECT_EQ(Walked("F(F" + one + "F").back().start.y, 1.0);
        }

        // A ")" after the symbol returns to where it stood if it opened a branch.
        const bool returned = Walked("F" + one + "F)F").back().start.y == 1.0 + bound.along;
        EXPECT_EQ(returned, bound.opens == 1);
        // Its narrowings with no run before it, and whether a run is under way at its end (a
        // move then narrows).
        EXPECT_EQ(Walked(one + "F").back().penWidth,
            TurtleState::Narrowed(StartWidth, Narrowing, pen.effect[false].narrowings));
        EXPECT_EQ(Walked("F" + one + "fF").back().penWidth,
            TurtleState::Narrowed(StartWidth, Narrowing,
                pen.effect[true].narrowings + (pen.effect[true].dueAtEnd ? 1 : 0)));
    }
}

} // namespace
} // namespace lsystem
