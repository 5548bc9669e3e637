// Writing figures to files: SVG of the Koch curve and of Plant 3 at 10 substitutions, a
// 5600 × 5600 PNG of Plant 3 at 7, each written into a temporary folder and put in place every
// iteration. Counters: the segments, the file's size, the drawing alone (the rest of the time is
// encoding and writing) and the process's peak memory so far (the Koch curve runs first).

#include "app/core/plane_size.h"
#include "app/core/presets.h"
#include "app/io/figure_export.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

app::DrawnFigure PresetFigure(app::Preset preset, int count)
{
    app::PanelFields fields;
    app::ApplyPreset(preset, fields);
    fields.substCount = count;
    return app::PrepareFigure(fields, 0, {}, app::PlaneSize);
}

double PeakMemoryMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_Export(benchmark::State& state, app::Preset preset, int count, const char* file, int size)
{
    const QTemporaryDir directory;
    const app::ImageFile target = app::ImageFileFor(directory.filePath(QString::fromLatin1(file)));
    const std::vector<app::DrawnFigure> figures { PresetFigure(preset, count) };
    app::ReplayReport report;
    double drawing = 0.0;
    for (auto _ : state) {
        report = app::SaveFigures(target, figures, size);
        drawing += std::chrono::duration<double>(report.drawing).count();
    }
    state.counters["segments"] = static_cast<double>(report.segments);
    state.counters["file_MiB"] = static_cast<double>(QFileInfo(target.path).size()) / 1048576.0;
    state.counters["drawing_ms"] = 1000.0 * drawing / static_cast<double>(state.iterations());
    state.counters["peak_MiB"] = PeakMemoryMiB();
}

struct Case {
    const char* name;
    app::Preset preset;
    int count;
    const char* file;
    int size;
};

const Case cases[] = {
    { "Export/Svg/KochCurve/10", app::Preset::KochCurve, 10, "koch.svg", 700 },
    { "Export/Svg/Plant3/10", app::Preset::Plant3, 10, "plant3.svg", 700 },
    { "Export/Png5600/Plant3/7", app::Preset::Plant3, 7, "plant3.png", 5600 },
};

} // namespace

int main(int argc, char** argv)
{
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(c.name, BM_Export, c.preset, c.count, c.file, c.size)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
