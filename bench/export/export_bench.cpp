// Writing figures to files: SVG and PDF of the Koch curve and of Plant 3 at 10 substitutions, a
// PDF of a figure of 10 485 760 segments (the Koch island's rule on ten sides) and a 5600 × 5600
// PNG of Plant 3 at 7, each written into a temporary folder and put in place every iteration.
// Counters: the segments, the file's size, the drawing alone (for a PNG the rest of the time is
// encoding and writing), the process's peak memory so far and how far a save raised it above the
// memory the process held before (the peak is set back first, Linux).
//
// Stop: a save started as the session runs it, in slices of 8 ms until half of it is drawn, then
// destroyed as Stop destroys it; the time is the destruction's alone.

#include "app/core/pictures/plane_size.h"
#include "app/core/record/presets.h"
#include "app/io/figure_export.h"

#include "bench/memory_growth.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

app::DrawnFigure PresetFigure(app::Preset preset, int count, const char* axiom = nullptr)
{
    app::PanelFields fields;
    app::ApplyPreset(preset, fields);
    fields.substCount = count;
    if (axiom != nullptr)
        fields.axiom = axiom;
    return app::PrepareFigure(fields, 0, {}, app::PlaneSize);
}

double PeakMemoryMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Case {
    const char* name;
    app::Preset preset;
    int count;
    const char* file;
    int size;
    const char* axiom = nullptr; // the preset's when none
};

void BM_Export(benchmark::State& state, const Case& c)
{
    const QTemporaryDir directory;
    const app::ImageFile target
        = app::ImageFileFor(directory.filePath(QString::fromLatin1(c.file)));
    const std::vector<app::DrawnFigure> figures { PresetFigure(c.preset, c.count, c.axiom) };
    app::ReplayReport report;
    double drawing = 0.0;
    double growthKiB = 0.0;
    for (auto _ : state) {
        growthKiB = std::max(growthKiB,
            bench::PeakGrowthKiB([&] { report = app::SaveFigures(target, figures, c.size); }));
        drawing += std::chrono::duration<double>(report.drawing).count();
    }
    state.counters["segments"] = static_cast<double>(report.segments);
    state.counters["file_MiB"] = static_cast<double>(QFileInfo(target.path).size()) / 1048576.0;
    state.counters["drawing_ms"] = 1000.0 * drawing / static_cast<double>(state.iterations());
    state.counters["peak_MiB"] = PeakMemoryMiB();
    state.counters["growth_MiB"] = growthKiB / 1024.0;
}

void BM_ExportStopped(benchmark::State& state, const Case& c)
{
    using Clock = app::SessionJob::Clock;
    const QTemporaryDir directory;
    const app::ImageFile target
        = app::ImageFileFor(directory.filePath(QString::fromLatin1(c.file)));
    const std::vector<app::DrawnFigure> figures { PresetFigure(c.preset, c.count, c.axiom) };
    for (auto _ : state) {
        auto job = std::make_unique<app::PictureJob>(target, figures, c.size);
        while (job->progress() < 0.5)
            job->RunSlice(Clock::now() + std::chrono::milliseconds(8));
        const auto stopped = Clock::now();
        job.reset();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - stopped).count());
    }
}

constexpr const char* TenKochSides = "F--F--F--F--F--F--F--F--F--F";

const Case saves[] = {
    { "Export/Svg/KochCurve/10", app::Preset::KochCurve, 10, "koch.svg", 700 },
    { "Export/Svg/Plant3/10", app::Preset::Plant3, 10, "plant3.svg", 700 },
    { "Export/Pdf/KochCurve/10", app::Preset::KochCurve, 10, "koch.pdf", 700 },
    { "Export/Pdf/Plant3/10", app::Preset::Plant3, 10, "plant3.pdf", 700 },
    { "Export/Pdf/TenKochSides/10", app::Preset::KochIsland, 10, "sides.pdf", 700, TenKochSides },
    { "Export/Png5600/Plant3/7", app::Preset::Plant3, 7, "plant3.png", 5600 },
};

const Case stops[] = {
    { "Stop/Pdf/TenKochSides/10", app::Preset::KochIsland, 10, "sides.pdf", 700, TenKochSides },
    { "Stop/Svg/TenKochSides/10", app::Preset::KochIsland, 10, "sides.svg", 700, TenKochSides },
};

} // namespace

int main(int argc, char** argv)
{
    for (const Case& c : saves) {
        benchmark::RegisterBenchmark(c.name, BM_Export, c)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
    for (const Case& c : stops) {
        benchmark::RegisterBenchmark(c.name, BM_ExportStopped, c)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(3);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
