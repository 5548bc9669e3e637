// The engine alone: the walk with its expansion of the rules onto a bare 700 x 700 plane, as the
// Draw command runs it in slices, and the plain rewriting that tests use as their reference.

#include "app/core/pictures/plane_canvas.h"
#include "lsystem/rules/rewriting.h"
#include "lsystem/turtle.h"

#include "bench/memory_growth.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Figure {
    const char* axiom;
    const char* ruleF;
    const char* ruleG;
    double lengthScale;
    double angle;
    double x1, x2, y1, y2;
    std::optional<double> rotation;
    plane::Rgb colour;
    std::int32_t penWidth; // at the start of the walk, as Draw sets it at 10 substitutions
    std::vector<lsystem::Rule> moreRules = {};
};

constexpr plane::Rgb Red { 255, 0, 0 };
constexpr plane::Rgb Green { 4, 123, 22 };

const Figure KochCurve { "F", "F+F--F+F", "G", 1.0 / 3.0, 60.0, -0.1, 1.1, -0.4, 0.7,
    -1.5707963267948966, Red, 1 };
// The Koch curve with a variable that rewrites to itself: one symbol more at every level that the
// walk skips, and a rule of a third symbol for the expansion to look up.
const Figure KochCurveWithVariable { "FX", "F+F--F+F", "G", 1.0 / 3.0, 60.0, -0.1, 1.1, -0.4, 0.7,
    -1.5707963267948966, Red, 1, { { 'X', 1.0, "X" } } };
const Figure KochIsland { "F--F--F", "F+F--F+F", "G", 1.0 / 3.0, 60.0, -0.3, 0.9, -0.1, 1.1,
    std::nullopt, Red, 1 };
const Figure Plant3 { "F", "G-((F)+F)+G(+GF)-F", "GG", 20.0 / 46.0, 22.5, -0.6, 0.6, -0.1, 1.1,
    std::nullopt, Green, 20 };
// The stochastic plant of the examples: F rewritten by one of three weighted alternatives, every
// level read as it stands and every place counted.
const Figure StochasticPlant { "F", "F(+F)F(-F)F", "GG", 1.0 / 3.0, 25.7, -1.0, 1.0, -0.1, 1.9,
    std::nullopt, Green, 20, { { 'F', 1.0, "F(+F)F" }, { 'F', 1.0, "F(-F)F" } } };
// Plant 2 with F rule FFFFFFF: one straight stem of 7^10 steps, 20 pixels wide.
const Figure Plant2SevenFold { "F", "FFFFFFF", "GG", 1.0 / 7.0, 20.0, -1.0, 1.0, -0.1, 1.9,
    std::nullopt, Green, 20 };

constexpr int Substitutions = 10;
// Symbols a slice of the Draw command asks for.
constexpr std::uint64_t SliceSymbols = std::uint64_t { 1 } << 16;

lsystem::DrawParams ParamsFor(const Figure& figure, double amplitude)
{
    lsystem::DrawParams params;
    params.Word = figure.axiom;
    params.RuleF = figure.ruleF;
    params.RuleG = figure.ruleG;
    params.MoreRules = figure.moreRules;
    params.Angle = figure.angle;
    params.SubstCount = Substitutions;
    params.PenWidth = figure.penWidth;
    params.RandomAmp = amplitude;
    params.StepLength = 1.0;
    for (int i = 0; i < Substitutions; ++i)
        params.StepLength = params.StepLength * figure.lengthScale;
    return params;
}

void Substitute(benchmark::State& state)
{
    std::string word = KochCurve.axiom;
    const lsystem::RuleTable rules(KochCurve.ruleF, KochCurve.ruleG, {});
    for (int i = 0; i < Substitutions - 1; ++i)
        lsystem::Substitute(word, word, rules, 0, i);
    std::string next;
    for (auto _ : state) {
        lsystem::Substitute(word, next, rules, 0, Substitutions - 1);
        benchmark::DoNotOptimize(next.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(next.size()));
    state.counters["symbols"] = static_cast<double>(next.size());
}
BENCHMARK(Substitute)->Name("Substitute/KochCurve10")->Unit(benchmark::kMillisecond);

// A plane and a canvas onto it, with the figure's world window.
struct Target {
    explicit Target(const Figure& figure)
    {
        plane.SetPlaneSize(700, 700);
        plane.SetWorldWindow(figure.x1, figure.x2, figure.y1, figure.y2);
    }
    plane::Plane plane;
    app::PlaneCanvas canvas { plane };
    lsystem::RandomGenerator random;
};

// Walks the whole figure from the generator's first state, so that every run draws the same
// figure (a stochastic plant's shape comes from it); returns the number of symbols.
std::uint64_t WalkFigure(const Figure& figure, double amplitude, Target& target)
{
    target.random = lsystem::RandomGenerator();
    const lsystem::WalkStyle style { figure.colour, figure.rotation, 3 };
    lsystem::TurtleWalk walk(ParamsFor(figure, amplitude), style, target.random, target.canvas);
    while (!walk.Advance(SliceSymbols)) { }
    return walk.symbolsWalked();
}

std::int64_t DrawnSegments(const Figure& figure)
{
    const std::string word = lsystem::Rewrite(
        { figure.axiom, figure.ruleF, figure.ruleG, Substitutions, figure.moreRules, 0 });
    return std::count_if(
        word.begin(), word.end(), [](char symbol) { return symbol == 'F' || symbol == 'G'; });
}

// Items are drawn segments: items_per_second is segments per second.
void Walk(benchmark::State& state, const Figure& figure, double amplitude)
{
    Target target(figure);
    std::uint64_t symbols = 0;
    for (auto _ : state)
        symbols = WalkFigure(figure, amplitude, target);
    const std::int64_t segments = DrawnSegments(figure);
    state.SetItemsProcessed(state.iterations() * segments);
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["symbols"] = static_cast<double>(symbols);
}

BENCHMARK_CAPTURE(Walk, KochCurve10, KochCurve, 0.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, KochCurve10WithVariable, KochCurveWithVariable, 0.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, KochIsland10, KochIsland, 0.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, KochCurve10Amplitude005, KochCurve, 0.05)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, KochIsland10Amplitude005, KochIsland, 0.05)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, Plant3At10WidePens, Plant3, 0.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, StochasticPlant10, StochasticPlant, 0.0)->Unit(benchmark::kMillisecond);

// How much the process's peak resident memory grows while one figure is walked.
void WalkMemory(benchmark::State& state, const Figure& figure)
{
    Target target(figure);
    double growthKiB = 0.0;
    std::uint64_t symbols = 0;
    for (auto _ : state) {
        growthKiB = std::max(
            growthKiB, bench::PeakGrowthKiB([&] { symbols = WalkFigure(figure, 0.0, target); }));
    }
    state.counters["symbols"] = static_cast<double>(symbols);
    state.counters["memory_growth_MiB"] = growthKiB / 1024.0;
}

BENCHMARK_CAPTURE(WalkMemory, Plant2SevenFoldAt10, Plant2SevenFold)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(WalkMemory, Plant3At10, Plant3)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkMemory, StochasticPlantAt10, StochasticPlant)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
