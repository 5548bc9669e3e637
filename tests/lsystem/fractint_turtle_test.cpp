#include "lsystem/fractint/fractint_turtle.h"

#include "figure_summary.h"
#include "fpu/floating_point_error.h"
#include "lsystem/commands/fractint_commands.h"
#include "lsystem/rules/rewriting.h"
#include "lsystem/turtle.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lsystem {
namespace {

DrawParams FractintParams(int angleDivisions)
{
    DrawParams params;
    params.Angle = 360.0 / angleDivisions;
    params.StepLength = 1.0;
    params.Commands = CommandSet::Fractint;
    return params;
}

FigureSummary WalkWord(const std::string& word, const DrawParams& params,
    const WalkStyle& style = {}, RandomGenerator* random = nullptr)
{
    RandomGenerator own;
    SummaryCanvas canvas;
    DrawWord(word, params, style, random ? *random : own, canvas);
    return canvas.summary();
}

struct WordCase {
    const char* name;
    int angleDivisions;
    std::string word;
    FigureSummary figure; // segments, jumps, left, right, bottom, top, last heading, colours
};

void PrintTo(const WordCase& row, std::ostream* out)
{
    *out << row.name;
}

constexpr double Sin144 = 0.5877852522924731; // across a turn of two fifths of a full turn
constexpr double Diagonal = 0.7071067811865476;

const WordCase WordCases[] = {
    { "FDrawsAndGMovesToTheRight", 4, "FGF", { 2, 1, 0, 3, 0, 0, 0 } },
    { "PlusAtAQuarterTurnGoesUp", 4, "+F", { 1, 0, 0, 0, 0, 1, 90 } },
    { "PlusTurnsLeft", 4, "F+F", { 2, 0, 0, 1, 0, 1, 90 } },
    { "MinusTurnsRight", 4, "F-F", { 2, 0, 0, 1, -1, 0, -90 } },
    { "BarTurnsAroundAtAnEvenAngle", 4, "F|F", { 2, 0, 0, 1, 0, 0, 180 } },
    // Two fifths of a turn, 144 degrees, the most not above half a turn.
    { "BarTurnsTheMostNotAboveHalfATurnAtAnOddAngle", 5, "F|F", { 2, 0, 0, 1, 0, Sin144, 144 } },
    { "BangSwapsPlusAndMinus", 4, "!F+F", { 2, 0, 0, 1, -1, 0, -90 } },
    { "BangTurnsTheBarTheOtherWay", 5, "!F|F", { 2, 0, 0, 1, -Sin144, 0, -144 } },
    { "BangInsideABranchEndsWithIt", 4, "[!+F]+F", { 2, 1, 0, 0, -1, 1, 90 } },
    { "BranchesRestorePositionHeadingLengthAndColour", 4, "F[+@2C4F]F",
        { 3, 1, 0, 2, 0, 2, 0, { 15, 4, 15 } } },
    { "CloseWithoutOpenLeavesTheTurtle", 4, "F]F", { 2, 0, 0, 2, 0, 0, 0 } },
    { "AtScalesItsPrefixesDivideAndTakeRoots", 4, "@2F@I4F@Q16F@IQ4F@QI4F",
        { 5, 0, 0, 6, 0, 0, 0 } },
    { "NumbersHaveDecimals", 4, "@.5F@1.5F", { 2, 0, 0, 1.25, 0, 0, 0 } },
    // Leading zeros count for nothing, however many there are.
    { "LongNumbersAreReadExactly", 4,
        "@" + std::string(60, '0') + "1F@" + std::string(45, '0') + "2.5" + std::string(50, '0')
            + "F",
        { 2, 0, 0, 3.5, 0, 0, 0 } },
    { "DegreeTurnsSteerDAndM", 4, "\\90D/90M/90D", { 2, 1, 0, 1, 0, 1, -90 } },
    { "FKeepsToTheAngleAndDToTheDegrees", 4, "+\\45FD",
        { 2, 0, 0, Diagonal, 0, 1 + Diagonal, 45 } },
    { "BangSwapsTheDegreeTurns", 4, "!\\90D", { 1, 0, 0, 0, -1, 0, -90 } },
    { "ColoursAreSetAndSteppedModuloSixteen", 4, "FC3F<2F>7F<15FC20F",
        { 6, 0, 0, 6, 0, 0, 0, { 15, 3, 5, 14, 13, 4 } } },
    { "OtherSymbolsAndLowerCaseAreSkipped", 4, "FXf(g)2F", { 2, 0, 0, 2, 0, 0, 0 } },
};

class FractintWords : public testing::TestWithParam<WordCase> { };

TEST_P(FractintWords, DrawTheirFigure)
{
    const WordCase& row = GetParam();
    ExpectSameShape(WalkWord(row.word, FractintParams(row.angleDivisions)), row.figure);
}

INSTANTIATE_TEST_SUITE_P(FractintTurtle, FractintWords, testing::ValuesIn(WordCases),
    [](const testing::TestParamInfo<WordCase>& info) { return info.param.name; });

// The segments a probe draws with `symbol` in it: every command changes them (the branch and
// "90" let swaps, degree turns, colours and scaling show), a symbol the turtle skips does not.
std::vector<RecordedSegment> Probe(char symbol)
{
    RandomGenerator random;
    RecordingCanvas canvas;
    DrawWord("[+F" + std::string(1, symbol) + "90+F\\90D]F", FractintParams(4), {}, random, canvas);
    return canvas.segments;
}

bool SameSegments(const std::vector<RecordedSegment>& a, const std::vector<RecordedSegment>& b)
{
    const auto same = [](const RecordedSegment& s, const RecordedSegment& t) {
        return s.start.x == t.start.x && s.start.y == t.start.y && s.end.x == t.end.x
            && s.end.y == t.end.y && s.colour == t.colour;
    };
    return std::ranges::equal(a, b, same);
}

// Every byte: the sixteen commands' symbols each map to a command of their own, and the turtle
// acts on exactly those; it skips every other byte.
TEST(FractintCommands, TheTurtleWalksEveryByteAsItsCommand)
{
    constexpr std::string_view symbols = "FGDM+-|![]@\\/C<>";
    const std::vector<RecordedSegment> skipped = Probe('X');
    std::set<FractintCommand> commands;
    for (int byte = 0; byte < 256; ++byte) {
        const char symbol = static_cast<char>(byte);
        SCOPED_TRACE(byte);
        const FractintCommand command = FractintCommandOf(symbol);
        const bool isCommand = symbols.find(symbol) != std::string_view::npos;
        EXPECT_EQ(command != FractintCommand::None, isCommand);
        EXPECT_EQ(FractintCommandTable[static_cast<unsigned char>(symbol)], command);
        if (isCommand)
            commands.insert(command);
        EXPECT_EQ(SameSegments(Probe(symbol), skipped), !isCommand);
    }
    EXPECT_EQ(commands.size(), symbols.size());
}

// A command's number is read from the word however the rules and the slices cut it.
TEST(FractintTurtle, NumbersRunAcrossReplacementsAndSlices)
{
    DrawParams params = FractintParams(4);
    params.Word = "AB5C0F";
    params.RuleF = "F";
    params.RuleG = "G";
    params.MoreRules = { { 'A', 1.0, "F@" }, { 'B', 1.0, "1." }, { 'C', 1.0, "" } };
    params.SubstCount = 1;
    ASSERT_EQ(Rewrite(WordOf(params, 0)), "F@1.50F");
    const FigureSummary expected { 2, 0, 0, 2.5, 0, 0, 0 };

    RandomGenerator random;
    SummaryCanvas canvas;
    TurtleWalk walk(params, {}, random, canvas);
    while (!walk.Advance(1)) { }
    EXPECT_EQ(walk.segmentsDrawn(), 2u);
    EXPECT_EQ(walk.symbolsWalked(), 7u);
    ExpectSameShape(canvas.summary(), expected);
}

// The panel's random amplitude, turn and pen do not reach Fractint's turtle, which takes no
// random numbers and draws with the thin pen.
TEST(FractintTurtle, IgnoresTheAmplitudeAndTheStyle)
{
    DrawParams params = FractintParams(6);
    params.RandomAmp = 0.5;
    params.PenWidth = 12;
    const WalkStyle turned { { 255, 0, 0 }, 1.5707963267948966, 3 };
    RandomGenerator random(99);
    RecordingCanvas canvas;
    DrawWord("F+F[-F]F", params, turned, random, canvas);
    EXPECT_EQ(random.seed(), 99u);
    RecordingCanvas plain;
    DrawWord("F+F[-F]F", FractintParams(6), {}, random, plain);
    ASSERT_EQ(canvas.segments.size(), plain.segments.size());
    for (std::size_t i = 0; i < plain.segments.size(); ++i) {
        EXPECT_EQ(canvas.segments[i].end.x, plain.segments[i].end.x);
        EXPECT_EQ(canvas.segments[i].end.y, plain.segments[i].end.y);
        EXPECT_EQ(canvas.segments[i].penWidth, FractintPenWidth);
        EXPECT_EQ(canvas.segments[i].colour, FractintPalette[FractintStartColour]);
    }
}

// Fractint's collections grow plants upwards: four turns at 16 angles a turn head the bush up.
TEST(FractintTurtle, ABushGrowsUpwards)
{
    DrawParams params = FractintParams(16);
    params.Word = "++++F";
    params.RuleF = "FF-[-F+F+F]+[+F-F-F]";
    params.RuleG = "G";
    params.SubstCount = 3;
    RandomGenerator random;
    SummaryCanvas canvas;
    TurtleWalk walk(params, {}, random, canvas);
    while (!walk.Advance(1000)) { }
    const FigureSummary& bush = canvas.summary();
    EXPECT_NEAR(bush.bottom, 0.0, 1e-9);
    EXPECT_GT(bush.top, bush.right - bush.left);
    EXPECT_NEAR(bush.left + bush.right, 0.0, 0.5 * (bush.right - bush.left));
}

// A number longer than any double's digits keeps its value: the nearest double to the decimal.
TEST(FractintTurtle, NumbersAreTheNearestDoubleToTheirDigits)
{
    for (const std::string& number :
        { std::string("0.1"), std::string("123456789012345678901234567890"),
            "0." + std::string(40, '0') + "3", std::string("9007199254740993") }) {
        SCOPED_TRACE(number);
        const FigureSummary figure = WalkWord("@" + number + "F", FractintParams(4));
        EXPECT_EQ(figure.right, std::stod(number));
    }
}

TEST(FractintTurtle, ScalingByZeroInverseIsAFault)
{
    try {
        WalkWord("F@I0F", FractintParams(4));
        FAIL() << "no fault";
    } catch (const fpu::FloatingPointError& error) {
        EXPECT_EQ(error.fault(), fpu::Fault::DivisionByZero);
    }
}

} // namespace
} // namespace lsystem
