// Writing animated GIFs: the growth of Plant 3 to 7 substitutions (8 frames) and the drawing of
// the Koch curve at 6 in 50 frames, both 700 × 700, each written into a temporary folder and put
// in place every iteration. Counters: the frames, the file's size and the process's peak memory
// so far. The command line's own figures, start-up included, come from animate_process.sh.

#include "app/core/record/presets.h"
#include "app/io/animation_job.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

double PeakMemoryMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_Animation(
    benchmark::State& state, app::Preset preset, int count, app::AnimationSettings settings)
{
    const QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("animation.gif"));
    app::PanelFields fields;
    app::ApplyPreset(preset, fields);
    fields.substCount = count;
    const app::DrawnFigure figure = app::PrepareFigure(fields, 0, {}, settings.size);
    for (auto _ : state)
        app::SaveAnimation(path, figure, settings);
    state.counters["frames"]
        = settings.kind == app::AnimationKind::Growth ? count + 1 : settings.drawingFrames;
    state.counters["file_KiB"] = static_cast<double>(QFileInfo(path).size()) / 1024.0;
    state.counters["peak_MiB"] = PeakMemoryMiB();
}

struct Case {
    const char* name;
    app::Preset preset;
    int count;
    app::AnimationSettings settings;
};

const Case cases[] = {
    { "Animation/Growth/Plant3/7", app::Preset::Plant3, 7,
        { app::AnimationKind::Growth, 0, app::PlaneSize, app::GrowthDelayMs } },
    { "Animation/Drawing50/KochCurve/6", app::Preset::KochCurve, 6,
        { app::AnimationKind::Drawing, 50, app::PlaneSize, app::DrawingDelayMs } },
};

} // namespace

int main(int argc, char** argv)
{
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(c.name, BM_Animation, c.preset, c.count, c.settings)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
