#include "lsystem/turtle.h"

#include "fpu/floating_point_error.h"
#include "lsystem/rules/rewriting.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace lsystem {
namespace {

constexpr double HalfPi = 1.5707963267948966;
constexpr double SixthPi = 0.5235987755982989;

const plane::Rgb Green { 4, 123, 22 };

// The unturned, narrowing-by-3 style of "Plant 2" to "Plant 4".
WalkStyle PlantStyle()
{
    return { Green, std::nullopt, 3 };
}
WalkStyle KochCurveStyle()
{
    return { { 255, 0, 0 }, -HalfPi, 3 };
}

DrawParams UnitSteps(double angle = 90.0)
{
    DrawParams params;
    params.Angle = angle;
    params.StepLength = 1.0;
    params.PenWidth = 10;
    return params;
}

// What a walk drew, and its pen width at the end.
struct Walked {
    std::vector<RecordedSegment> segments;
    std::int32_t penWidth;
};

Walked Walk(const std::string& word, const DrawParams& params, const WalkStyle& style)
{
    RandomGenerator random;
    RecordingCanvas canvas;
    const std::int32_t penWidth = DrawWord(word, params, style, random, canvas);
    return { canvas.segments, penWidth };
}

void ExpectPoint(const plane::TVector3& point, double x, double y)
{
    EXPECT_NEAR(point.x, x, 1e-15);
    EXPECT_NEAR(point.y, y, 1e-15);
}

TEST(RandomGenerator, FirstValuesOfARun)
{
    RandomGenerator random;
    EXPECT_EQ(random.Next(), 2.3283064365386963e-10);
    EXPECT_EQ(random.Next(), 0.031379939522594213);
    EXPECT_EQ(random.Next(), 0.8610484672244638);
}

TEST(RandomGenerator, SkippingSixIsSixSteps)
{
    std::mt19937 seeds(17);
    for (int trial = 0; trial < 1000; ++trial) {
        const std::uint32_t seed = trial < 2 ? 0xFFFFFFFFu * trial : seeds();
        RandomGenerator stepped(seed);
        for (int i = 0; i < 6; ++i)
            stepped.Next();
        RandomGenerator skipped(seed);
        skipped.Skip<6>();
        ASSERT_EQ(skipped.seed(), stepped.seed()) << "seed " << seed;
    }
}

TEST(DrawWord, EmptyWordDrawsNothing)
{
    DrawParams params = UnitSteps();
    RandomGenerator random;
    RecordingCanvas canvas;
    EXPECT_EQ(DrawWord("", params, PlantStyle(), random, canvas), 10);
    EXPECT_TRUE(canvas.segments.empty());
    EXPECT_EQ(random.seed(), 0u);
}

TEST(DrawWord, HeadingZeroIsUpAndTurnsGoBothWays)
{
    DrawParams params = UnitSteps();
    const auto up = Walk("F", params, PlantStyle()).segments;
    ASSERT_EQ(up.size(), 1u);
    ExpectPoint(up[0].start, 0, 0);
    ExpectPoint(up[0].end, 0, 1);

    const auto left = Walk("F+F", params, PlantStyle()).segments;
    ASSERT_EQ(left.size(), 2u);
    ExpectPoint(left[1].start, 0, 1);
    ExpectPoint(left[1].end, -1, 1);

    const auto right = Walk("F-F", params, PlantStyle()).segments;
    ASSERT_EQ(right.size(), 2u);
    ExpectPoint(right[1].end, 1, 1);
}

TEST(DrawWord, MoveStepDrawsNothing)
{
    DrawParams params = UnitSteps();
    const auto [segments, penWidth] = Walk("f-fF", params, PlantStyle());
    ASSERT_EQ(segments.size(), 1u);
    ExpectPoint(segments[0].start, 1, 1);
    ExpectPoint(segments[0].end, 2, 1);
    EXPECT_EQ(penWidth, 10);
}

TEST(DrawWord, BranchRestoresPositionAndHeading)
{
    DrawParams params = UnitSteps();
    const auto segments = Walk("F(+F)F", params, PlantStyle()).segments;
    ASSERT_EQ(segments.size(), 3u);
    ExpectPoint(segments[1].start, 0, 1);
    ExpectPoint(segments[1].end, -1, 1);
    ExpectPoint(segments[2].start, 0, 1);
    ExpectPoint(segments[2].end, 0, 2);
}

struct WidthCase {
    const char* name;
    const char* word;
    std::int32_t narrowing;
    std::vector<std::int32_t> widths;
    std::int32_t finalWidth;
};

void PrintTo(const WidthCase& row, std::ostream* out)
{
    *out << row.name;
}

const WidthCase WidthCases[] = {
    { "NarrowsAtTheEndOfARun", "FF+F", 3, { 10, 10, 7 }, 7 },
    { "PlantOneNarrowsTwice", "FF+F", 6, { 10, 10, 4 }, 4 },
    { "BranchEndsItsNarrowing", "F(F)F", 3, { 10, 7, 7 }, 7 },
    { "SkippedSymbolEndsARun", "FXF", 3, { 10, 7 }, 7 },
    { "LastSymbolDoesNotNarrow", "F", 3, { 10 }, 10 },
    { "MoveStepEndsARun", "FfF", 3, { 10, 7 }, 7 },
    { "GContinuesARun", "FGF+G", 3, { 10, 10, 10, 7 }, 7 },
    { "NestedBranchesRestoreTheirOwnWidth", "F(F(F)F)F", 3, { 10, 7, 4, 4, 7 }, 7 },
};

class Narrowing : public testing::TestWithParam<WidthCase> { };

TEST_P(Narrowing, WidthsOfTheSegments)
{
    const WidthCase& row = GetParam();
    DrawParams params = UnitSteps();
    WalkStyle style = PlantStyle();
    style.narrowing = row.narrowing;
    const Walked walked = Walk(row.word, params, style);
    std::vector<std::int32_t> widths;
    for (const RecordedSegment& segment : walked.segments)
        widths.push_back(segment.penWidth);
    EXPECT_EQ(widths, row.widths);
    EXPECT_EQ(walked.penWidth, row.finalWidth);
}

INSTANTIATE_TEST_SUITE_P(DrawWord, Narrowing, testing::ValuesIn(WidthCases),
    [](const testing::TestParamInfo<WidthCase>& info) { return info.param.name; });

TEST(DrawWord, NegativeWidthsAreHandedOnAsTheyAre)
{
    DrawParams params = UnitSteps(60.0);
    params.PenWidth = 1;
    const auto segments = Walk("F+F+F", params, PlantStyle()).segments;
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[1].penWidth, -2);
    EXPECT_EQ(segments[2].penWidth, -5);
}

TEST(DrawWord, NarrowingStopsAtTheSmallestWidth)
{
    DrawParams params = UnitSteps();
    params.PenWidth = std::numeric_limits<std::int32_t>::min() + 4;
    WalkStyle style = PlantStyle();
    style.narrowing = 6;
    const auto [segments, penWidth] = Walk("F+F+F+", params, style);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[1].penWidth, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(penWidth, std::numeric_limits<std::int32_t>::min());
}

TEST(DrawWord, SegmentsTakeTheStyleColour)
{
    DrawParams params = UnitSteps();
    WalkStyle style = PlantStyle();
    style.colour = { 1, 2, 3 };
    for (const RecordedSegment& segment : Walk("FF+F", params, style).segments)
        EXPECT_EQ(segment.colour, style.colour);
}

TEST(DrawWord, FirstPerturbedStepOfARun)
{
    DrawParams params = UnitSteps();
    params.RandomAmp = 1.0;
    const auto segments = Walk("F", params, PlantStyle()).segments;
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].start.x, 0.0);
    EXPECT_EQ(segments[0].start.y, 0.0);
    EXPECT_NEAR(segments[0].end.x, -0.3122872216, 5e-11);
    EXPECT_NEAR(segments[0].end.y, 0.4641430102, 5e-11);
}

TEST(DrawWord, MoveStepTakesNoRandomValues)
{
    DrawParams params = UnitSteps();
    params.RandomAmp = 1.0;
    RandomGenerator random;
    RecordingCanvas canvas;
    DrawWord("fF", params, PlantStyle(), random, canvas);
    const auto alone = Walk("F", params, PlantStyle()).segments;
    ASSERT_EQ(canvas.segments.size(), 1u);
    EXPECT_EQ(canvas.segments[0].end.x, alone[0].end.x);
    EXPECT_NEAR(canvas.segments[0].end.y, alone[0].end.y + 1.0, 1e-15);

    RandomGenerator sixValues;
    for (int i = 0; i < 6; ++i)
        sixValues.Next();
    EXPECT_EQ(random.seed(), sixValues.seed());
}

TEST(DrawWord, SixValuesPerDrawnStepEvenWithoutAmplitude)
{
    DrawParams params = UnitSteps();
    RandomGenerator random;
    RecordingCanvas canvas;
    DrawWord("F+G(F)fX", params, PlantStyle(), random, canvas);
    RandomGenerator expected;
    for (int i = 0; i < 18; ++i)
        expected.Next();
    EXPECT_EQ(random.seed(), expected.seed());
}

TEST(DrawWord, SequenceGoesOnFromOneWalkToTheNext)
{
    DrawParams params = UnitSteps();
    params.RandomAmp = 1.0;
    RandomGenerator random;
    RecordingCanvas first;
    RecordingCanvas second;
    DrawWord("F", params, PlantStyle(), random, first);
    DrawWord("F", params, PlantStyle(), random, second);

    RandomGenerator afterSix(random.seed());
    RandomGenerator fresh;
    for (int i = 0; i < 6; ++i)
        fresh.Next();
    RecordingCanvas expected;
    DrawWord("F", params, PlantStyle(), fresh, expected);
    ASSERT_EQ(second.segments.size(), 1u);
    EXPECT_NE(second.segments[0].end.x, first.segments[0].end.x);
    EXPECT_EQ(second.segments[0].end.x, expected.segments[0].end.x);
    EXPECT_EQ(second.segments[0].end.y, expected.segments[0].end.y);
}

TEST(DrawWord, KochCurveTurnsUpIntoRight)
{
    DrawParams params = UnitSteps();
    const auto segments = Walk("F", params, KochCurveStyle()).segments;
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].start.x, 0.0);
    EXPECT_EQ(segments[0].start.y, 0.0);
    EXPECT_EQ(segments[0].end.x, 1.0);
    EXPECT_NEAR(segments[0].end.y, 0.0, 1e-16);
    EXPECT_EQ(segments[0].end.w, 1.0);
}

TEST(DrawWord, ThirtyDegreeTurnOfTheSierpinskiCurves)
{
    DrawParams params = UnitSteps();
    const auto segments = Walk("F", params, { Green, -SixthPi, 3 }).segments;
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_NEAR(segments[0].end.x, 0.5, 1e-15);
    EXPECT_NEAR(segments[0].end.y, 0.8660254037844387, 1e-15);
}

// The turn changes only what is drawn: every drawn segment is the unturned segment put
// through MultiplyPoint, bit for bit (the turtle leaves its zero terms out, so the signs of
// zeros count), and the turtle goes on from the unturned point.
TEST(DrawWord, TurnedSegmentsAreTheUnturnedOnesMultiplied)
{
    const auto bits = [](const plane::TVector3& p) {
        return std::array { std::bit_cast<std::uint64_t>(p.x), std::bit_cast<std::uint64_t>(p.y),
            std::bit_cast<std::uint64_t>(p.w) };
    };
    const std::string word = "(F)F+F--F+F(+GfF)-F++F+++F";
    for (const double amplitude : { 0.0, 0.05 }) {
        DrawParams params = UnitSteps(60.0);
        params.RandomAmp = amplitude;
        for (const double angle : { -HalfPi, -SixthPi, 0.3, 0.0, 2.0 }) {
            SCOPED_TRACE(testing::Message() << "amplitude " << amplitude << ", angle " << angle);
            const auto turned = Walk(word, params, { Green, angle, 3 }).segments;
            const auto unturned = Walk(word, params, PlantStyle()).segments;
            ASSERT_EQ(turned.size(), unturned.size());
            const plane::TMatrix3 rotation = plane::RotationMatrix(angle);
            for (std::size_t i = 0; i < turned.size(); ++i) {
                EXPECT_EQ(
                    bits(turned[i].start), bits(plane::MultiplyPoint(unturned[i].start, rotation)));
                EXPECT_EQ(
                    bits(turned[i].end), bits(plane::MultiplyPoint(unturned[i].end, rotation)));
            }
        }
    }
}

// The walk written out plainly, one sine and one cosine per step and no memory of earlier
// steps, for words of "F", "G", "+" and "-".
std::vector<plane::TVector3> PlainEndPoints(const std::string& word, const DrawParams& params)
{
    RandomGenerator random;
    double x = 0.0;
    double y = 0.0;
    double heading = 0.0;
    std::vector<plane::TVector3> ends;
    for (const char symbol : word) {
        if (symbol == '+')
            heading = heading - params.Angle;
        if (symbol == '-')
            heading = heading + params.Angle;
        if (symbol != 'F' && symbol != 'G')
            continue;
        const double theta = heading * 0.017453292519943295;
        const double a = params.RandomAmp;
        double r[6];
        for (double& value : r)
            value = random.Next();
        const double endX = (x + (r[0] - 0.5) * a)
            + (params.StepLength + (r[1] - 0.5) * a) * std::sin((r[2] - 0.5) * a + theta);
        const double endY = (y + (r[3] - 0.5) * a)
            + (params.StepLength + (r[4] - 0.5) * a) * std::cos((r[5] - 0.5) * a + theta);
        ends.push_back({ endX, endY, 1.0 });
        x = endX;
        y = endY;
    }
    return ends;
}

// Bit for bit, signs of zero included; zero step lengths and a zero angle make zeros whose
// sign depends on the random values.
TEST(DrawWord, BitExactAgainstThePlainFormula)
{
    std::string word = "F-G-G";
    for (int step = 0; step < 5; ++step)
        Substitute(word, word, RuleTable("F-G+F+G-F", "GG", {}), 0, 0);
    const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
    for (const double amplitude : { 0.0, -0.0, 0.05 }) {
        for (const double angle : { 120.0, 22.5, 33.3, -0.1, 0.0 }) {
            for (const double step : { 1.0 / 3.0, 0.0, -0.0 }) {
                SCOPED_TRACE(testing::Message()
                    << "amplitude " << amplitude << ", angle " << angle << ", step " << step);
                DrawParams params = UnitSteps(angle);
                params.StepLength = step;
                params.RandomAmp = amplitude;
                const auto expected = PlainEndPoints(word, params);
                const auto segments = Walk(word, params, PlantStyle()).segments;
                ASSERT_EQ(segments.size(), expected.size());
                for (std::size_t i = 0; i < segments.size(); ++i) {
                    ASSERT_EQ(bits(segments[i].end.x), bits(expected[i].x)) << "segment " << i;
                    ASSERT_EQ(bits(segments[i].end.y), bits(expected[i].y)) << "segment " << i;
                }
            }
        }
    }
}

// A perturbed walk long enough to have its sines and cosines worked out ahead of it on another
// thread draws exactly what the plain formula gives, step for step. Amplitudes so small that the
// perturbations round away ask for the same arguments at every step of one heading (+0 and +0 at
// heading 0); each walk runs several times, so that the thread is ahead and behind by turns.
TEST(DrawWord, LongPerturbedWalkBitExactAgainstThePlainFormula)
{
    std::string word = "F-G-G";
    while (word.size() < 200000)
        Substitute(word, word, RuleTable("F-G+F+G-F", "GG", {}), 0, 0);
    const struct {
        double angle, amplitude;
    } rows[]
        = { { 33.3, 0.05 }, { 0.0, 5e-324 }, { 33.3, 5e-324 }, { 0.0, 1e-300 }, { 90.0, 1e-17 } };
    for (const auto& row : rows) {
        DrawParams params = UnitSteps(row.angle);
        params.StepLength = 0.01;
        params.RandomAmp = row.amplitude;
        const auto expected = PlainEndPoints(word, params);
        for (int run = 0; run < 4; ++run) {
            SCOPED_TRACE(testing::Message()
                << "angle " << row.angle << ", amplitude " << row.amplitude << ", run " << run);
            const auto segments = Walk(word, params, PlantStyle()).segments;
            ASSERT_EQ(segments.size(), expected.size());
            for (std::size_t i = 0; i < segments.size(); ++i) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(segments[i].end.x),
                    std::bit_cast<std::uint64_t>(expected[i].x))
                    << "segment " << i;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(segments[i].end.y),
                    std::bit_cast<std::uint64_t>(expected[i].y))
                    << "segment " << i;
            }
        }
    }
}

TEST(DrawWord, UnmatchedCloseIsIgnored)
{
    DrawParams params = UnitSteps();
    const auto segments = Walk(")F-)F(+F))F", params, PlantStyle()).segments;
    ASSERT_EQ(segments.size(), 4u);
    ExpectPoint(segments[0].end, 0, 1);
    ExpectPoint(segments[1].start, 0, 1);
    ExpectPoint(segments[1].end, 1, 1);
    ExpectPoint(segments[3].start, 1, 1);
    ExpectPoint(segments[3].end, 2, 1);
    EXPECT_EQ(segments[3].penWidth, 4);
}

TEST(DrawWord, NestingDeeperThan255)
{
    constexpr int depth = 1000;
    DrawParams params = UnitSteps();
    params.PenWidth = 5000;
    std::string word;
    for (int i = 0; i < depth; ++i)
        word += "F(+";
    for (int i = 0; i < depth; ++i)
        word += ")";
    word += "-F";
    const auto [segments, penWidth] = Walk(word, params, PlantStyle());
    ASSERT_EQ(segments.size(), depth + 1u);
    EXPECT_EQ(segments[depth - 1].penWidth, 5000 - 3 * (depth - 1));
    // All the way out: back after the first step, heading up, with the first width.
    ExpectPoint(segments[depth].start, 0, 1);
    ExpectPoint(segments[depth].end, 1, 1);
    EXPECT_EQ(penWidth, 4997);
}

struct FaultCase {
    const char* name;
    const char* word;
    double stepLength;
    double angle;
    double amplitude;
    fpu::Fault fault;
    std::size_t drawnBefore;
};

void PrintTo(const FaultCase& row, std::ostream* out)
{
    *out << row.name;
}

constexpr double Huge = 1e308;
constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

const FaultCase FaultCases[] = {
    { "EndPointOverflows", "FFF", Huge, 0.0, 0.0, fpu::Fault::Overflow, 1 },
    { "MoveOverflows", "FffF", Huge, 0.0, 0.0, fpu::Fault::Overflow, 1 },
    // With a negative amplitude the first perturbations, (r - 0.5) * A, are about +A / 2.
    { "PerturbedStartOverflows", "-fF", 1.6e308, 90.0, -Huge, fpu::Fault::Overflow, 0 },
    { "PerturbedLengthOverflows", "F", 1.6e308, 0.0, -Huge, fpu::Fault::Overflow, 0 },
    { "HeadingOverflows", "F++F", 1.0, Huge, 0.0, fpu::Fault::Overflow, 1 },
    { "InfiniteAngle", "F+F", 1.0, Infinity, 0.0, fpu::Fault::Overflow, 1 },
    { "NaNAmplitude", "F", 1.0, 0.0, NaN, fpu::Fault::InvalidOperation, 0 },
};

class WalkFault : public testing::TestWithParam<FaultCase> { };

TEST_P(WalkFault, RaisesAndKeepsWhatWasDrawn)
{
    const FaultCase& row = GetParam();
    DrawParams params = UnitSteps(row.angle);
    params.StepLength = row.stepLength;
    params.RandomAmp = row.amplitude;
    RandomGenerator random;
    RecordingCanvas canvas;
    try {
        DrawWord(row.word, params, PlantStyle(), random, canvas);
        FAIL() << "no fault raised";
    } catch (const fpu::FloatingPointError& error) {
        EXPECT_EQ(error.fault(), row.fault);
    }
    EXPECT_EQ(canvas.segments.size(), row.drawnBefore);
}

INSTANTIATE_TEST_SUITE_P(DrawWord, WalkFault, testing::ValuesIn(FaultCases),
    [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

} // namespace
} // namespace lsystem
