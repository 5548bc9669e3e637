// The whole Draw command in the real program, headless: the control panel's Draw button for each
// preset, at the preset's own number of substitutions and at 10, with the plane repainted and
// input taken every frame as on a screen. Each iteration starts from a clear plane.

#include "app/application.h"
#include "app/form1.h"

#include <benchmark/benchmark.h>

#include <QRadioButton>

#include <algorithm>
#include <string>

namespace {

struct PresetCase {
    const char* name;
    QRadioButton* app::TForm1::*button;
};

const PresetCase presetCases[] = {
    { "KochCurve", &app::TForm1::RadioButtonKochC },
    { "KochIsland", &app::TForm1::RadioButtonKochIs },
    { "SierpinskiCurve1", &app::TForm1::RadioButtonSierp1 },
    { "SierpinskiCurve2", &app::TForm1::RadioButtonSierp2 },
    { "Plant1", &app::TForm1::RadioButtonPlant1 },
    { "Plant2", &app::TForm1::RadioButtonPlant2 },
    { "Plant3", &app::TForm1::RadioButtonPlant3 },
    { "Plant4", &app::TForm1::RadioButtonPlant4 },
};

// Checks the preset (filling its fields) and, when given, sets the number of substitutions.
void Choose(app::TForm1& form, const PresetCase& preset, int substitutions)
{
    // Checking another preset first makes the preset's own handler run every time.
    (form.*preset.button == form.RadioButtonKochC ? form.RadioButtonKochIs : form.RadioButtonKochC)
        ->setChecked(true);
    (form.*preset.button)->setChecked(true);
    if (substitutions >= 0)
        form.SpinEdit1->setValue(substitutions);
}

void BM_Draw(benchmark::State& state, app::TForm1* form, const PresetCase* preset, int count)
{
    Choose(*form, *preset, count);
    for (auto _ : state) {
        state.PauseTiming();
        form->Button3Click();
        state.ResumeTiming();
        form->Button1Click();
    }
    const lsystem::DrawParams& params = form->DrawParams;
    const auto drawing = static_cast<double>(std::count(params.Word.begin(), params.Word.end(), 'F')
        + std::count(params.Word.begin(), params.Word.end(), 'G'));
    state.counters["symbols"] = static_cast<double>(params.Word.size());
    state.counters["segments"] = drawing;
    state.counters["segments_per_s"]
        = benchmark::Counter(drawing, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    app::TForm1 form;
    form.show();
    QCoreApplication::processEvents();

    for (const PresetCase& preset : presetCases) {
        benchmark::RegisterBenchmark(
            (std::string("Draw/") + preset.name + "/as_set").c_str(), BM_Draw, &form, &preset, -1)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            (std::string("Draw/") + preset.name + "/10").c_str(), BM_Draw, &form, &preset, 10)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
