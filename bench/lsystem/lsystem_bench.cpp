#include "app/plane_canvas.h"
#include "lsystem/rewriting.h"
#include "lsystem/turtle.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

struct Figure {
    const char* axiom;
    const char* ruleF;
    const char* ruleG;
    double lengthScale;
    double angle;
    double x1, x2, y1, y2;
    std::optional<double> rotation;
};

const Figure KochCurve { "F", "F+F--F+F", "G", 1.0 / 3.0, 60.0, -0.1, 1.1, -0.4, 0.7,
    -1.5707963267948966 };
const Figure KochIsland { "F--F--F", "F+F--F+F", "G", 1.0 / 3.0, 60.0, -0.3, 0.9, -0.1, 1.1,
    std::nullopt };
const Figure Plant3 { "F", "G-((F)+F)+G(+GF)-F", "GG", 20.0 / 46.0, 22.5, -0.6, 0.6, -0.1, 1.1,
    std::nullopt };

constexpr int Substitutions = 10;

lsystem::DrawParams Rewritten(const Figure& figure)
{
    lsystem::DrawParams params;
    params.Word = figure.axiom;
    params.RuleF = figure.ruleF;
    params.RuleG = figure.ruleG;
    params.Angle = figure.angle;
    params.SubstCount = Substitutions;
    params.StepLength = 1.0;
    for (int i = 0; i < Substitutions; ++i)
        params.StepLength = params.StepLength * figure.lengthScale;
    lsystem::Rewrite(params);
    return params;
}

void Substitute(benchmark::State& state)
{
    lsystem::DrawParams params;
    params.Word = "F";
    params.RuleF = KochCurve.ruleF;
    params.RuleG = KochCurve.ruleG;
    params.SubstCount = Substitutions - 1;
    lsystem::Rewrite(params);
    std::string next;
    for (auto _ : state) {
        lsystem::Substitute(params.Word, next, params.RuleF, params.RuleG);
        benchmark::DoNotOptimize(next.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(next.size()));
    state.counters["symbols"] = static_cast<double>(next.size());
}
BENCHMARK(Substitute)->Name("Substitute/KochCurve10")->Unit(benchmark::kMillisecond);

// Items are drawn segments: items_per_second is segments per second.
void Walk(benchmark::State& state, const Figure& figure, double amplitude, int penWidth)
{
    lsystem::DrawParams params = Rewritten(figure);
    params.RandomAmp = amplitude;
    plane::Plane plane;
    plane.SetPlaneSize(700, 700);
    plane.SetWorldWindow(figure.x1, figure.x2, figure.y1, figure.y2);
    lsystem::RandomGenerator random;
    app::PlaneCanvas canvas(plane);
    const lsystem::WalkStyle style { { 255, 0, 0 }, figure.rotation, 3 };
    std::int64_t segments = 0;
    for (const char symbol : params.Word)
        segments += symbol == 'F' || symbol == 'G';
    for (auto _ : state) {
        params.PenWidth = penWidth;
        lsystem::DrawWord(params.Word, params, style, random, canvas);
    }
    state.SetItemsProcessed(state.iterations() * segments);
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["symbols"] = static_cast<double>(params.Word.size());
}

BENCHMARK_CAPTURE(Walk, KochCurve10, KochCurve, 0.0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, KochIsland10, KochIsland, 0.0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, KochCurve10Amplitude005, KochCurve, 0.05, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, KochIsland10Amplitude005, KochIsland, 0.05, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, Plant3At10WidePens, Plant3, 0.0, 20)->Unit(benchmark::kMillisecond);

// The whole of one Draw's engine work: rewriting and walking.
void RewriteAndWalk(benchmark::State& state)
{
    plane::Plane plane;
    plane.SetPlaneSize(700, 700);
    plane.SetWorldWindow(Plant3.x1, Plant3.x2, Plant3.y1, Plant3.y2);
    lsystem::RandomGenerator random;
    app::PlaneCanvas canvas(plane);
    const lsystem::WalkStyle style { { 4, 123, 22 }, std::nullopt, 3 };
    for (auto _ : state) {
        lsystem::DrawParams params = Rewritten(Plant3);
        params.PenWidth = 20;
        lsystem::DrawWord(params.Word, params, style, random, canvas);
    }
}
BENCHMARK(RewriteAndWalk)->Name("RewriteAndWalk/Plant3At10")->Unit(benchmark::kMillisecond);

} // namespace
