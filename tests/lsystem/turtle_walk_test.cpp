#include "fpu/floating_point_error.h"
#include "lsystem/rules/expansion.h"
#include "lsystem/turtle.h"

#include "lsystem/rules/rewriting.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace lsystem {
namespace {

constexpr std::uint64_t Unlimited = std::numeric_limits<std::uint64_t>::max();

// One random system with its walk settings.
struct System {
    RewrittenWord word;
    double angle;
    double stepLength;
    double amplitude;
    std::int32_t penWidth;
    WalkStyle style;
};

// What a walk leaves behind.
struct Outcome {
    std::vector<RecordedSegment> segments;
    std::int32_t penWidth;
    std::uint32_t seed;
};

DrawParams ParamsOf(const System& system)
{
    DrawParams params;
    params.Angle = system.angle;
    params.StepLength = system.stepLength;
    params.RandomAmp = system.amplitude;
    params.PenWidth = system.penWidth;
    return params;
}

// The rewritten word built in full, then walked as it stands.
Outcome WalkRewrittenWord(const System& system)
{
    const std::string word = Rewrite(system.word);
    RandomGenerator random(7);
    RecordingCanvas canvas;
    const std::int32_t penWidth = DrawWord(word, ParamsOf(system), system.style, random, canvas);
    return { canvas.segments, penWidth, random.seed() };
}

// The walk expanding the rules as it goes, in slices of at most `maxSlice` symbols.
Outcome WalkExpanding(const System& system, std::mt19937& slices, std::uint64_t maxSlice)
{
    RandomGenerator random(7);
    RecordingCanvas canvas;
    TurtleWalk walk(system.word, ParamsOf(system), system.style, random, canvas);
    EXPECT_EQ(walk.symbolCount(), Rewrite(system.word).size());
    std::uniform_int_distribution<std::uint64_t> sliceSize(1, maxSlice);
    while (!walk.finished()) {
        const std::uint64_t before = walk.symbolsWalked();
        const std::uint64_t budget = sliceSize(slices);
        const bool finished = walk.Advance(budget);
        EXPECT_EQ(finished, walk.finished());
        EXPECT_LE(walk.symbolsWalked() - before, budget);
    }
    EXPECT_EQ(walk.symbolsWalked(), walk.symbolCount());
    return { canvas.segments, walk.penWidth(), random.seed() };
}

std::string RandomText(std::mt19937& random, int maxLength)
{
    // Drawing symbols weigh more, so that words grow; the rest mixes every kind of symbol.
    static const std::string alphabet = std::string("FFFGGGf+-()()Xg\xff", 16) + '\0';
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> symbol(0, alphabet.size() - 1);
    std::string text(static_cast<std::size_t>(length(random)), ' ');
    for (char& c : text)
        c = alphabet[symbol(random)];
    return text;
}

// Rules for random symbols, some of them alternatives of others, with random weights.
std::vector<Rule> RandomRules(std::mt19937& random)
{
    static const std::string symbols = std::string("XXgFGf\xff+", 8) + '\0';
    std::vector<Rule> rules(random() % 4);
    for (Rule& rule : rules)
        rule = { symbols[random() % symbols.size()], 0.25 * (1 + random() % 8),
            RandomText(random, 7) };
    return rules;
}

// A bound of the word's length whatever alternatives are chosen: each symbol's longest.
std::uint64_t LongestLength(const RewrittenWord& word)
{
    RewrittenWord longest = word;
    longest.moreRules.clear();
    for (const Rule& rule : word.moreRules) {
        std::string& kept = rule.symbol == 'F' ? longest.ruleF
            : rule.symbol == 'G'               ? longest.ruleG
                                               : longest.moreRules.emplace_back(rule).replacement;
        if (rule.replacement.size() > kept.size())
            kept = rule.replacement;
    }
    return RewrittenLength(longest.axiom, longest.rules(), longest.count);
}

System RandomSystem(std::mt19937& random)
{
    constexpr std::uint64_t MaxSymbols = 20000;
    const std::optional<double> turns[]
        = { std::nullopt, -1.5707963267948966, -0.5235987755982989 };
    const double angles[] = { 60.0, 90.0, 120.0, 22.5, 20.0, 26.0, 33.3 };
    System system;
    system.word = { RandomText(random, 6), RandomText(random, 9), RandomText(random, 9),
        std::uniform_int_distribution<std::int32_t>(0, 10)(random), RandomRules(random),
        static_cast<std::uint32_t>(random()) };
    while (LongestLength(system.word) > MaxSymbols)
        --system.word.count;
    system.angle = angles[random() % std::size(angles)];
    system.stepLength = 1.0 / (1 + random() % 5);
    system.amplitude = random() % 2 == 0 ? 0.0 : 0.05;
    system.penWidth = std::uniform_int_distribution<std::int32_t>(-4, 30)(random);
    system.style = { { static_cast<std::uint8_t>(random()), 123, 22 },
        turns[random() % std::size(turns)], random() % 2 == 0 ? 3 : 6 };
    return system;
}

void ExpectSameDouble(double actual, double expected, const char* what, std::size_t segment)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(actual), std::bit_cast<std::uint64_t>(expected))
        << what << " of segment " << segment << ": " << actual << " against " << expected;
}

void ExpectSameOutcome(const Outcome& actual, const Outcome& expected)
{
    ASSERT_EQ(actual.segments.size(), expected.segments.size());
    for (std::size_t i = 0; i < actual.segments.size(); ++i) {
        const RecordedSegment& a = actual.segments[i];
        const RecordedSegment& e = expected.segments[i];
        ExpectSameDouble(a.start.x, e.start.x, "start x", i);
        ExpectSameDouble(a.start.y, e.start.y, "start y", i);
        ExpectSameDouble(a.start.w, e.start.w, "start w", i);
        ExpectSameDouble(a.end.x, e.end.x, "end x", i);
        ExpectSameDouble(a.end.y, e.end.y, "end y", i);
        ExpectSameDouble(a.end.w, e.end.w, "end w", i);
        ASSERT_EQ(a.colour, e.colour) << "segment " << i;
        ASSERT_EQ(a.penWidth, e.penWidth) << "segment " << i;
    }
    EXPECT_EQ(actual.penWidth, expected.penWidth);
    EXPECT_EQ(actual.seed, expected.seed);
}

// Expanding the rules on the way walks exactly the word that rewriting builds, in one go and in
// slices of any size, whatever symbols have rules and alternatives.
TEST(TurtleWalk, SameWalkAsTheRewrittenWord)
{
    std::mt19937 random(2024);
    for (int trial = 0; trial < 400; ++trial) {
        const System system = RandomSystem(random);
        testing::Message trace;
        trace << "trial " << trial << ": axiom '" << system.word.axiom << "', F rule '"
              << system.word.ruleF << "', G rule '" << system.word.ruleG << "', count "
              << system.word.count << ", seed " << system.word.seed;
        for (const Rule& rule : system.word.moreRules)
            trace << ", " << rule.symbol << " " << rule.weight << " -> '" << rule.replacement
                  << "'";
        SCOPED_TRACE(trace);
        const Outcome expected = WalkRewrittenWord(system);
        ExpectSameOutcome(WalkExpanding(system, random, Unlimited), expected);
        ExpectSameOutcome(WalkExpanding(system, random, 1 + trial % 7), expected);
        if (testing::Test::HasFailure())
            return;
    }
}

// The symbols that an expansion hands over, all of them.
std::string Expanded(const RewrittenWord& word)
{
    struct Collect {
        std::string* symbols;
        void operator()(char symbol) { *symbols += symbol; }
        void operator()(const char*& next, const char* stop)
        {
            symbols->append(next, stop);
            next = stop;
        }
    };
    std::string symbols;
    Collect collect { &symbols };
    Expansion expansion(word);
    std::uint64_t count = Unlimited;
    std::uint64_t work = Unlimited;
    EXPECT_TRUE(expansion.Hand(count, work, collect));
    return symbols;
}

// A stochastic plant grows by one derivation: the word after k + 1 steps is the rewriting of the
// word after k, so that a growth shows one plant, not a new one at every step.
TEST(Expansion, WeightedRulesGrowByOneDerivation)
{
    RewrittenWord plant { "X", "FF", "G", 0,
        { { 'X', 1, "F(+X)F(-X)+X" }, { 'X', 1, "F(-X)F" }, { 'X', 2, "FX(+X)" } }, 99 };
    const RuleTable rules = plant.rules();
    for (plant.count = 0; plant.count < 7; ++plant.count) {
        std::string next;
        Substitute(Expanded(plant), next, rules, plant.seed, plant.count);
        ++plant.count;
        EXPECT_EQ(Expanded(plant), next) << "at " << plant.count;
        --plant.count;
    }
}

DrawParams UnitSteps()
{
    DrawParams params;
    params.Angle = 90.0;
    params.StepLength = 1.0;
    params.PenWidth = 10;
    return params;
}

const WalkStyle PlantStyle { { 4, 123, 22 }, std::nullopt, 3 };

// Advances as the Draw command does to walk exactly `symbols` symbols.
void WalkFirst(TurtleWalk& walk, std::uint64_t symbols)
{
    while (!walk.finished() && walk.symbolsWalked() < symbols)
        walk.Advance(symbols - walk.symbolsWalked());
}

// A driver stops a walk by advancing it no further: a slice ends exactly at its budget, before
// the next symbol, keeping what was drawn. The narrowing due after a drawn step waits for the
// symbol after it, even when that comes in a later slice.
TEST(TurtleWalk, SliceEndsBeforeTheNextSymbolAndNarrowingWaitsForIt)
{
    RandomGenerator random;
    RecordingCanvas canvas;
    TurtleWalk walk({ "F", "F+F", "", 2, {}, 0 }, UnitSteps(), PlantStyle, random, canvas);
    EXPECT_FALSE(walk.Advance(0));
    EXPECT_EQ(random.seed(), 0u);
    WalkFirst(walk, 1);
    EXPECT_FALSE(walk.finished());
    EXPECT_EQ(walk.symbolsWalked(), 1u);
    EXPECT_EQ(canvas.segments.size(), 1u);
    EXPECT_EQ(walk.penWidth(), 10);
    WalkFirst(walk, 2);
    EXPECT_FALSE(walk.finished());
    EXPECT_EQ(walk.symbolsWalked(), 2u);
    EXPECT_EQ(walk.symbolCount(), 7u);
    EXPECT_EQ(canvas.segments.size(), 1u);
    EXPECT_EQ(walk.penWidth(), 7);
}

// A million rules that rewrite to nothing: each slice still returns after a bounded amount of
// work, and the empty word is finished without a symbol walked. The G rule is too long for the
// expansion to fold its level away.
TEST(TurtleWalk, SlicesStayShortWhereRulesProduceNothing)
{
    RandomGenerator random;
    RecordingCanvas canvas;
    const std::string longRule(Expansion::MaxFoldedLength + 1, 'F');
    TurtleWalk walk({ std::string(1000, 'G'), "", longRule, 2, {}, 0 }, UnitSteps(), PlantStyle,
        random, canvas);
    EXPECT_EQ(walk.symbolCount(), 0u);
    EXPECT_FALSE(walk.Advance(100));
    std::uint64_t slices = 1;
    while (!walk.Advance(100))
        ++slices;
    EXPECT_GE(slices, 1000u * longRule.size() / 100);
    EXPECT_EQ(walk.symbolsWalked(), 0u);
    EXPECT_TRUE(canvas.segments.empty());
}

// The word of F -> FF after 64 steps would not fit any memory; the walk starts on it at once.
TEST(TurtleWalk, WordsBeyondAnyMemoryAreWalkedAsTheyCome)
{
    RandomGenerator random;
    RecordingCanvas canvas;
    TurtleWalk walk({ "F", "FF", "", 64, {}, 0 }, UnitSteps(), PlantStyle, random, canvas);
    EXPECT_EQ(walk.symbolCount(), Unlimited);
    WalkFirst(walk, 1000);
    EXPECT_FALSE(walk.finished());
    EXPECT_EQ(walk.symbolsWalked(), 1000u);
    ASSERT_EQ(canvas.segments.size(), 1000u);
    EXPECT_EQ(canvas.segments.back().end.y, 1000.0);
}

// Counts the segments and keeps the last.
class CountingCanvas : public Canvas {
public:
    void DrawSegment(
        const plane::TVector3&, const plane::TVector3& end, plane::Rgb, std::int32_t) override
    {
        ++segments;
        lastEnd = end;
    }
    std::size_t segments = 0;
    plane::TVector3 lastEnd;
};

// F -> F(F nests one branch deeper with every drawn step; the walk ends at the "(" that would
// open one branch more than allowed, after everything before it was drawn.
TEST(TurtleWalk, BranchesNestedTooDeepEndTheWalkAtTheirOpening)
{
    const RewrittenWord system { "F", "F(F", "", 21, {}, 0 };
    const std::string word = Rewrite(system);
    std::size_t failing = 0;
    for (std::size_t opened = 0; opened <= MaxBranchDepth; ++failing)
        opened += word[failing] == '(';
    --failing;
    const auto drawnBefore = std::count(word.begin(), word.begin() + failing, 'F');

    RandomGenerator random;
    CountingCanvas canvas;
    TurtleWalk walk(system, UnitSteps(), PlantStyle, random, canvas);
    try {
        walk.Advance(Unlimited);
        FAIL() << "no error raised";
    } catch (const BranchDepthError& error) {
        EXPECT_STREQ(error.what(), "Branches nest deeper than 1048576 levels");
    }
    EXPECT_EQ(canvas.segments, static_cast<std::size_t>(drawnBefore));
    EXPECT_EQ(canvas.lastEnd.y, static_cast<double>(drawnBefore));
    EXPECT_EQ(walk.symbolsWalked(), failing);
    EXPECT_TRUE(walk.finished());
    EXPECT_TRUE(walk.Advance(Unlimited));
    EXPECT_EQ(canvas.segments, static_cast<std::size_t>(drawnBefore));
}

// A run of drawing symbols is drawn in one go; a step of it that overflows ends the walk as
// that symbol would alone: the steps before it drawn, its random values taken, the symbol
// itself not walked.
TEST(TurtleWalk, AFaultInARunOfStepsEndsTheWalkAtThatStep)
{
    DrawParams params = UnitSteps();
    params.StepLength = 1e308;
    RandomGenerator random;
    RecordingCanvas canvas;
    TurtleWalk walk({ "+FFFF", "", "", 0, {}, 0 }, params, PlantStyle, random, canvas);
    EXPECT_THROW(walk.Advance(Unlimited), fpu::FloatingPointError);
    EXPECT_EQ(walk.symbolsWalked(), 2u);
    EXPECT_EQ(walk.segmentsDrawn(), 1u);
    ASSERT_EQ(canvas.segments.size(), 1u);
    RandomGenerator twelveValues;
    for (int value = 0; value < 12; ++value)
        twelveValues.Next();
    EXPECT_EQ(random.seed(), twelveValues.seed());
}

} // namespace
} // namespace lsystem
