// Explore's views beside the exact replay of the same figures, on a bare 700 × 700 plane: the
// Koch curve at 10 fitted, with how far the two pictures differ; every preset and example at
// deep zooms about points of its own and a pan; a figure of a billion segments one zoom notch in;
// and how much memory a view takes.

#include "app/core/explore/explore_job.h"
#include "app/core/jobs/replay_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/pictures/plane_size.h"
#include "app/core/record/presets.h"

#include "bench/explore/bench_figures.h"
#include "bench/memory_growth.h"
#include "tests/core/stray_pixels.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The plane the views are drawn on, nothing but its raster.
struct BarePlane {
    BarePlane() { plane.SetPlaneSize(app::PlaneSize, app::PlaneSize); }
    void Clear() { plane.ClearPlane(255, 255, 255); }

    plane::Plane plane;
    app::PlaneCanvas canvas { plane };
};

app::ExploreReport DrawExplored(
    const app::DrawnFigure& figure, BarePlane& target, app::ExploreDetail detail)
{
    app::ExploreJob job({ figure }, app::PlaneSize, target.canvas, detail);
    app::RunToEnd(job);
    return job.report();
}

app::ReplayReport DrawExact(const app::DrawnFigure& figure, BarePlane& target)
{
    app::ReplayJob job({ figure }, app::PlaneSize, target.canvas);
    app::RunToEnd(job);
    return job.report();
}

void SetCounters(benchmark::State& state, const app::ExploreReport& report)
{
    state.counters["primitives"] = static_cast<double>(report.primitives);
    state.counters["chords"] = static_cast<double>(report.chords);
    state.counters["skipped"] = static_cast<double>(report.skipped);
    state.counters["symbols"] = static_cast<double>(report.symbols);
    state.counters["substitutions"] = report.substitutions;
}

app::DrawnFigure KochCurveAt10()
{
    app::PanelFields fields;
    app::ApplyPreset(app::Preset::KochCurve, fields);
    fields.substCount = 10;
    return bench::FittedFigure(fields);
}

// A straight line of 8^10 = 1 073 741 824 steps. The line is the same at every count, so it is
// fitted at 3 rather than by walking a billion steps.
app::DrawnFigure BillionSegments()
{
    app::PanelFields fields;
    fields.axiom = "F";
    fields.ruleF = "FFFFFFFF";
    fields.length = "1/8";
    fields.angle = "45";
    fields.substCount = 3;
    app::DrawnFigure figure = bench::FittedFigure(fields);
    fields = figure.fields;
    fields.substCount = 10;
    return app::PrepareFigure(fields, 0, {}, app::PlaneSize);
}

// One notch of the mouse wheel in, about the middle of the window.
app::DrawnFigure ZoomNotch(const app::DrawnFigure& figure)
{
    const app::WorldWindow& window = figure.window;
    return bench::InWindow(figure,
        app::ZoomWindow(
            window, (window.x1 + window.x2) / 2.0, (window.y1 + window.y2) / 2.0, 1.25));
}

// The Koch curve at 10, fitted: Explore's view with its counters and the pixels each picture
// draws more than a pixel away from the other.
void BM_KochExplore(benchmark::State& state)
{
    const app::DrawnFigure figure = KochCurveAt10();
    BarePlane explored;
    app::ExploreReport report;
    for (auto _ : state) {
        state.PauseTiming();
        explored.Clear();
        state.ResumeTiming();
        report = DrawExplored(figure, explored, app::ExploreDetail::Fine);
    }
    SetCounters(state, report);
    BarePlane exact;
    DrawExact(figure, exact);
    state.counters["stray_explore_px"] = static_cast<double>(
        test_support::StrayPixels(explored.plane.raster(), exact.plane.raster()));
    state.counters["stray_exact_px"] = static_cast<double>(
        test_support::StrayPixels(exact.plane.raster(), explored.plane.raster()));
}

void BM_KochExact(benchmark::State& state)
{
    const app::DrawnFigure figure = KochCurveAt10();
    BarePlane target;
    app::ReplayReport report;
    for (auto _ : state) {
        state.PauseTiming();
        target.Clear();
        state.ResumeTiming();
        report = DrawExact(figure, target);
    }
    state.counters["segments"] = static_cast<double>(report.segments);
    state.counters["symbols"] = static_cast<double>(report.symbols);
}

// A view of the figure and what it shows.
struct View {
    std::string name;
    app::DrawnFigure figure;
};

constexpr double Zooms[] = { 1.0, 10.0, 1e3, 1e6 };
constexpr int PointsPerFigure = 3;

// The figure at every zoom about each of a few points on it, and panned by half a window at
// 1000 times about the first.
std::vector<View> ViewsOf(const app::DrawnFigure& figure)
{
    std::vector<View> views;
    const std::vector<bench::WorldPoint> points = bench::PointsOnFigure(figure, PointsPerFigure);
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (const double zoom : Zooms) {
            views.push_back({ "zoom " + std::to_string(static_cast<long long>(zoom)) + " at point "
                    + std::to_string(i),
                bench::InWindow(
                    figure, app::ZoomWindow(figure.window, points[i].x, points[i].y, zoom)) });
        }
    }
    if (!points.empty()) {
        const app::WorldWindow zoomed
            = app::ZoomWindow(figure.window, points[0].x, points[0].y, 1e3);
        views.push_back({ "pan at zoom 1000",
            bench::InWindow(figure, app::PanWindow(zoomed, (zoomed.x2 - zoomed.x1) / 2.0, 0.0)) });
    }
    return views;
}

// A view that takes longer than this is given up, so that one figure whose view runs away does
// not hold up the rest: it counts as unfinished, with this time.
constexpr auto ViewTimeLimit = std::chrono::seconds(1);

// Draws the view in slices until it is done or past the limit; false when it is not done.
bool DrawWithinLimit(const app::DrawnFigure& figure, BarePlane& target, app::ExploreReport& report)
{
    app::ExploreJob job({ figure }, app::PlaneSize, target.canvas, app::ExploreDetail::Fine);
    const bool done = job.RunSlice(Clock::now() + ViewTimeLimit);
    report = job.report();
    return done;
}

// Every view of one figure in turn; the time is theirs together, the counters each view's mean
// and the worst of them, which the label names, and how many views ran past the limit.
void BM_Views(benchmark::State& state, const app::DrawnFigure& figure)
{
    const std::vector<View> views = ViewsOf(figure);
    if (views.empty()) {
        state.SkipWithError("the figure draws nothing to zoom about");
        return;
    }
    std::vector<double> seconds(views.size());
    std::uint64_t mostPrimitives = 0;
    std::vector<bool> unfinished(views.size());
    BarePlane target;
    for (auto _ : state) {
        double total = 0.0;
        for (std::size_t i = 0; i < views.size(); ++i) {
            target.Clear();
            const auto began = Clock::now();
            app::ExploreReport report;
            if (!DrawWithinLimit(views[i].figure, target, report))
                unfinished[i] = true;
            const double elapsed = std::chrono::duration<double>(Clock::now() - began).count();
            seconds[i] += elapsed;
            total += elapsed;
            mostPrimitives = std::max(mostPrimitives, report.primitives);
        }
        state.SetIterationTime(total);
    }
    const auto worst = std::max_element(seconds.begin(), seconds.end());
    const double iterations = static_cast<double>(state.iterations());
    state.counters["views"] = static_cast<double>(views.size());
    state.counters["worst_view_ms"] = 1000.0 * *worst / iterations;
    state.counters["mean_view_ms"] = 1000.0 * std::accumulate(seconds.begin(), seconds.end(), 0.0)
        / iterations / static_cast<double>(views.size());
    state.counters["most_primitives"] = static_cast<double>(mostPrimitives);
    state.counters["unfinished_views"]
        = static_cast<double>(std::count(unfinished.begin(), unfinished.end(), true));
    state.SetLabel("worst: " + views[static_cast<std::size_t>(worst - seconds.begin())].name);
}

void BM_BillionExplore(benchmark::State& state, app::ExploreDetail detail)
{
    const app::DrawnFigure figure = ZoomNotch(BillionSegments());
    BarePlane target;
    app::ExploreReport report;
    for (auto _ : state) {
        state.PauseTiming();
        target.Clear();
        state.ResumeTiming();
        report = DrawExplored(figure, target, detail);
    }
    SetCounters(state, report);
}

void BM_BillionExact(benchmark::State& state)
{
    const app::DrawnFigure figure = ZoomNotch(BillionSegments());
    BarePlane target;
    app::ReplayReport report;
    for (auto _ : state)
        report = DrawExact(figure, target);
    state.counters["segments"] = static_cast<double>(report.segments);
}

// How much the process's peak memory grows while a view is drawn, at the figure's own scale and
// a million times in about a point on it, where Explore substitutes furthest.
void BM_Memory(benchmark::State& state, app::DrawnFigure (*make)(), double zoom)
{
    const app::DrawnFigure whole = make();
    const bench::WorldPoint point = bench::PointsOnFigure(whole, 1).at(0);
    const app::DrawnFigure figure
        = bench::InWindow(whole, app::ZoomWindow(whole.window, point.x, point.y, zoom));
    BarePlane target;
    double growthKiB = 0.0;
    app::ExploreReport report;
    for (auto _ : state) {
        target.Clear();
        growthKiB = std::max(growthKiB, bench::PeakGrowthKiB([&] {
            report = DrawExplored(figure, target, app::ExploreDetail::Fine);
        }));
    }
    state.counters["substitutions"] = report.substitutions;
    state.counters["growth_KiB"] = growthKiB;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("Koch/10/Explore", BM_KochExplore)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Koch/10/Exact", BM_KochExact)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    static const std::vector<bench::NamedFigure> figures = bench::PresetsAndExamples();
    for (const bench::NamedFigure& figure : figures) {
        benchmark::RegisterBenchmark(("Views/" + figure.name).c_str(), BM_Views, figure.figure)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime();
    }
    benchmark::RegisterBenchmark(
        "Billion/ZoomNotch/Explore/Coarse", BM_BillionExplore, app::ExploreDetail::Coarse)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(
        "Billion/ZoomNotch/Explore/Fine", BM_BillionExplore, app::ExploreDetail::Fine)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Billion/ZoomNotch/Exact", BM_BillionExact)
        ->Unit(benchmark::kSecond)
        ->UseRealTime()
        ->Iterations(1);
    for (const double zoom : { 1.0, 1e6 }) {
        const std::string scale = zoom == 1.0 ? "/zoom_1" : "/zoom_1e6";
        benchmark::RegisterBenchmark(
            ("Memory/Koch/10" + scale).c_str(), BM_Memory, KochCurveAt10, zoom)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
        benchmark::RegisterBenchmark(
            ("Memory/Billion" + scale).c_str(), BM_Memory, BillionSegments, zoom)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
