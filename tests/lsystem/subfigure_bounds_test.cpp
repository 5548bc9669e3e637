#include "lsystem/explore/subfigure_bounds.h"

#include "lsystem/rules/rewriting.h"
#include "lsystem/turtle.h"
#include "random_text.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace lsystem {
namespace {

constexpr double DegreesToRadians = 0.017453292519943295;

struct ExactRow {
    const char* name;
    std::string ruleF;
    std::vector<Rule> more;
    double angle;
    double amplitude; // RandomAmp, with a step of 1
    char symbol;
    std::int32_t remaining;
    double radius;
    bool endFixed;
    double along;
    double left;
    std::int64_t leftTurns;
};

const ExactRow ExactRows[] = {
    { "KochFirstLevel", "F+F--F+F", {}, 60.0, 0.0, 'F', 1, 3.0, true, 3.0, 0.0, 0 },
    { "KochSecondLevel", "F+F--F+F", {}, 60.0, 0.0, 'F', 2, 9.0, true, 9.0, 0.0, 0 },
    // The branches reach (0, 2) and come back; the end is the trunk's.
    { "BranchThatReturns", "F", { { 'X', 1.0, "(+FF)F(-F)" } }, 90.0, 0.0, 'X', 1, 2.0, true, 1.0,
        0.0, 0 },
    { "TurnsAndMove", "F", { { 'X', 1.0, "+f+" } }, 90.0, 0.0, 'X', 1, 1.0, true, 0.0, 1.0, 2 },
    { "RightTurns", "F", { { 'X', 1.0, "-F-F" } }, 90.0, 0.0, 'X', 1, 2.0, true, -1.0, -1.0, -2 },
    // Alternatives: the end is not fixed, the radius holds for both (F, then F at (1, 0)).
    { "Alternatives", "F", { { 'F', 1.0, "F+F" } }, 90.0, 0.0, 'F', 1, 2.0, false, 0.0, 0.0, 0 },
    { "EqualAlternatives", "F", { { 'X', 1.0, "F+F-" }, { 'X', 2.0, "F+F-" } }, 90.0, 0.0, 'X', 1,
        2.0, true, 1.0, 1.0, 0 },
    // A perturbed step moves at most sqrt 2 (1 + amplitude) steps.
    { "PerturbedStep", "F", {}, 90.0, 0.5, 'F', 0, 1.5 * std::sqrt(2.0), false, 0.0, 0.0, 0 },
    { "PerturbedMoveIsFixed", "F", { { 'X', 1.0, "ff" } }, 90.0, 0.5, 'X', 1, 2.0, true, 2.0, 0.0,
        0 },
    // A ")" that closes a branch opened before the sub-figure: no bound.
    { "CloseFromOutside", "F", { { 'X', 1.0, "F)F" } }, 90.0, 0.0, 'X', 1, SubfigureBound::Infinity,
        false, 0.0, 0.0, 0 },
    // A branch left open inside a child and closed by its parent returns within the child.
    { "OpenedInChildClosedOutside", "F", { { 'X', 1.0, "Y)F" }, { 'Y', 1.0, "FF(F" } }, 90.0, 0.0,
        'X', 2, 4.0, false, 0.0, 0.0, 0 },
};

class SubfigureBoundsExact : public testing::TestWithParam<ExactRow> { };

TEST_P(SubfigureBoundsExact, MatchesTheFigure)
{
    const ExactRow& row = GetParam();
    DrawParams params;
    params.RuleF = row.ruleF;
    params.RuleG = "G";
    params.MoreRules = row.more;
    params.Angle = row.angle;
    params.StepLength = 1.0;
    params.RandomAmp = row.amplitude;
    const SubfigureBounds bounds(params, 3);
    const SubfigureBound& bound = bounds.Of(row.symbol, row.remaining);
    if (std::isinf(row.radius))
        EXPECT_EQ(bound.radius, row.radius);
    else
        EXPECT_NEAR(bound.radius, row.radius, 1e-9 * row.radius);
    EXPECT_GE(bound.radius, row.radius);
    EXPECT_GE(bound.reach, std::hypot(row.along, row.left));
    ASSERT_EQ(bound.endFixed, row.endFixed);
    if (row.endFixed) {
        EXPECT_NEAR(bound.along, row.along, 1e-12);
        EXPECT_NEAR(bound.left, row.left, 1e-12);
        EXPECT_LT(bound.endError, 1e-12);
        EXPECT_EQ(bound.leftTurns, row.leftTurns);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SubfigureBoundsExact, testing::ValuesIn(ExactRows),
    [](const testing::TestParamInfo<ExactRow>& info) { return std::string(info.param.name); });

TEST(SubfigureBounds, FractintSystemsHaveNone)
{
    DrawParams params;
    params.RuleF = "F+F";
    params.Angle = 90.0;
    params.Commands = CommandSet::Fractint;
    const SubfigureBound& bound = SubfigureBounds(params, 2).Of('F', 1);
    EXPECT_EQ(bound.radius, SubfigureBound::Infinity);
    EXPECT_FALSE(bound.endFixed);
}

TEST(SubfigureBounds, RadiiSaturateAtInfinity)
{
    DrawParams params;
    params.RuleF = "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF";
    params.Angle = 90.0;
    const SubfigureBounds bounds(params, 300);
    EXPECT_EQ(bounds.Of('F', 300).radius, SubfigureBound::Infinity);
    EXPECT_FALSE(bounds.Of('F', 300).endFixed);
    const double steps = std::pow(32.0, 10);
    EXPECT_GE(bounds.Of('F', 10).radius, steps);
    EXPECT_LT(bounds.Of('F', 10).radius, steps * (1 + 1e-9));
    EXPECT_TRUE(bounds.Of('F', 10).endFixed);
}

constexpr std::string_view Alphabet = "FFFGGf++--()XY";

struct RandomSystem {
    DrawParams params;
    std::vector<char> symbols; // those with a rule
    std::size_t longest; // the longest replacement
};

RandomSystem MakeRandomSystem(std::mt19937& random)
{
    const double angles[] = { 60.0, 90.0, 120.0, 22.5, 20.0, 26.0, 33.3, 137.5 };
    RandomSystem system;
    DrawParams& params = system.params;
    params.RuleF = RandomText(random, 6, Alphabet);
    params.RuleG = RandomText(random, 6, Alphabet);
    const char ruled[] = { 'F', 'G', 'X', 'Y', 'f' };
    for (unsigned i = random() % 5; i != 0; --i)
        params.MoreRules.push_back(
            { ruled[random() % 5], 0.5 * (1 + random() % 4), RandomText(random, 6, Alphabet) });
    params.Angle = angles[random() % std::size(angles)];
    params.StepLength = 1.0 / (1 + random() % 4);
    params.RandomAmp = random() % 3 == 0 ? 0.05 * (1 + random() % 4) : 0.0;
    const RuleTable rules(params.RuleF, params.RuleG, params.MoreRules);
    system.symbols.assign(rules.symbols().begin(), rules.symbols().end());
    system.longest = 1;
    for (const char symbol : system.symbols)
        for (const std::string& replacement : rules.Replacements(symbol))
            system.longest = std::max(system.longest, replacement.size());
    return system;
}

struct Point {
    double x;
    double y;
};

// The direction of a heading in degrees, as the turtle steps: 0 along +y, growing clockwise.
Point Ahead(double heading)
{
    return { std::sin(heading * DegreesToRadians), std::cos(heading * DegreesToRadians) };
}

struct Counts {
    int walked = 0;
    int bounded = 0;
    int fixedEnds = 0;
};

// Walks `symbol` after `remaining` substitutions from the origin, heading `turns` turns to the
// left, and checks every point drawn against its bound, and its end where that is fixed. Two
// steps after it mark where it ends and which way it heads: "(F)" starts at the end, and "fF"
// one unperturbed step ahead.
void CheckWalk(const RandomSystem& system, const SubfigureBound& bound, char symbol,
    std::int32_t remaining, int turns, std::uint32_t seed, Counts& counts)
{
    const DrawParams& params = system.params;
    const std::string prefix(static_cast<std::size_t>(std::abs(turns)), turns > 0 ? '+' : '-');
    RewrittenWord word { prefix + symbol, params.RuleF, params.RuleG, remaining, params.MoreRules,
        seed };
    RandomGenerator random(seed);
    RecordingCanvas canvas;
    DrawWord(Rewrite(word) + "(F)fF", params, WalkStyle {}, random, canvas);
    ++counts.walked;
    if (!bound.selfContained)
        return;
    ++counts.bounded;
    ASSERT_GE(canvas.segments.size(), 2u);
    const double limit = bound.radius * params.StepLength;
    for (std::size_t i = 0; i + 2 < canvas.segments.size(); ++i) {
        const RecordedSegment& segment = canvas.segments[i];
        EXPECT_LE(std::hypot(segment.start.x, segment.start.y), limit) << "segment " << i;
        EXPECT_LE(std::hypot(segment.end.x, segment.end.y), limit) << "segment " << i;
    }
    const plane::TVector3& end = canvas.segments[canvas.segments.size() - 2].start;
    EXPECT_LE(std::hypot(end.x, end.y), bound.reach * params.StepLength);
    if (!bound.endFixed)
        return;
    ++counts.fixedEnds;
    const double heading = -turns * params.Angle;
    const Point ahead = Ahead(heading);
    const Point toLeft = Ahead(heading - 90.0);
    const double step = params.StepLength;
    const double tolerance = (bound.endError + 1e-9 * (1.0 + bound.radius)) * step;
    EXPECT_NEAR(end.x, step * (bound.along * ahead.x + bound.left * toLeft.x), tolerance);
    EXPECT_NEAR(end.y, step * (bound.along * ahead.y + bound.left * toLeft.y), tolerance);
    const plane::TVector3& after = canvas.segments.back().start;
    const Point turned = Ahead(heading - static_cast<double>(bound.leftTurns) * params.Angle);
    EXPECT_NEAR((after.x - end.x) / step, turned.x, 1e-9);
    EXPECT_NEAR((after.y - end.y) / step, turned.y, 1e-9);
}

// Random systems, alternatives and random amplitudes among them: whatever the choices, the
// start heading and the perturbations, the walk stays within the bound.
TEST(SubfigureBounds, HoldForRandomSystems)
{
    constexpr std::size_t MaxSymbols = 20000;
    std::mt19937 random(2024);
    Counts counts;
    for (int i = 0; i < 300; ++i) {
        const RandomSystem system = MakeRandomSystem(random);
        const SubfigureBounds bounds(system.params, 5);
        for (const char symbol : system.symbols) {
            std::size_t length = 1;
            for (std::int32_t remaining = 0; remaining <= 5 && length <= MaxSymbols;
                 ++remaining, length *= system.longest) {
                const SubfigureBound& bound = bounds.Of(symbol, remaining);
                for (std::uint32_t seed = 1; seed <= 2; ++seed) {
                    SCOPED_TRACE(testing::Message() << "system " << i << ", " << symbol << " after "
                                                    << remaining << ", seed " << seed);
                    CheckWalk(system, bound, symbol, remaining,
                        static_cast<int>(random() % 41) - 20, seed, counts);
                }
            }
        }
    }
    // The property is checked on many bounded sub-figures, many of them with fixed ends.
    EXPECT_GT(counts.bounded, counts.walked / 2);
    EXPECT_GT(counts.fixedEnds, counts.walked / 10);
}

} // namespace
} // namespace lsystem
