// The whole Draw command in the real program, headless: the control panel's Draw button for each
// preset, at the preset's own number of substitutions and at 10, with the plane repainted and
// input taken every frame as on a screen. Each iteration starts from a clear plane. Then Fit, a
// zoom notch's redraw on the drawing session, and L-system files.

#include "app/core/session/drawing_session.h"
#include "app/io/lsystem_io.h"
#include "app/ui/application.h"
#include "app/ui/form1.h"
#include "lsystem/rules/rewriting.h"

#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <string>
#include <utility>

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

// Runs the event loop until the Draw started last has ended.
void WaitForDrawing(app::TForm1& form)
{
    if (!form.drawing())
        return;
    QEventLoop loop;
    QObject::connect(&form, &app::TForm1::drawingEnded, &loop, &QEventLoop::quit);
    loop.exec();
}

// The symbols and drawn steps of the word that the panel's fields describe.
std::pair<double, double> WordCounts(const app::TForm1& form)
{
    const std::string word = lsystem::Rewrite(
        { form.EditAxiom->text().toStdString(), form.EditRuleF->text().toStdString(),
            form.EditRuleG->text().toStdString(), form.SpinEdit1->value(), {}, 0 });
    const auto drawn
        = std::count(word.begin(), word.end(), 'F') + std::count(word.begin(), word.end(), 'G');
    return { static_cast<double>(word.size()), static_cast<double>(drawn) };
}

void BM_Draw(benchmark::State& state, app::TForm1* form, const PresetCase* preset, int count,
    const char* amplitude)
{
    Choose(*form, *preset, count);
    form->EditRandom->setText(QString::fromLatin1(amplitude));
    for (auto _ : state) {
        state.PauseTiming();
        form->Button3Click();
        // The Clear's own repaint is not the Draw's.
        QCoreApplication::processEvents();
        state.ResumeTiming();
        form->Button1Click();
        WaitForDrawing(*form);
    }
    const auto [symbols, drawn] = WordCounts(*form);
    state.counters["symbols"] = symbols;
    state.counters["segments"] = drawn;
    state.counters["segments_per_s"]
        = benchmark::Counter(drawn, benchmark::Counter::kIsIterationInvariantRate);
}

// From the click on Draw to the first segment on the plane, for a figure of 282 475 249 steps;
// the figure is then stopped.
void BM_FirstSegment(benchmark::State& state, app::TForm1* form)
{
    Choose(*form, presetCases[5], 10);
    form->EditRuleF->setText(QStringLiteral("FFFFFFF"));
    form->EditLength->setText(QStringLiteral("1/7"));
    const plane::Raster& raster = form->Draw2D().plane().raster();
    const auto anyDrawn = [&raster] {
        for (int y = 0; y < raster.height(); ++y)
            for (int x = 0; x < raster.width(); ++x)
                if (raster.Pixel(x, y) != plane::Rgb { 255, 255, 255 })
                    return true;
        return false;
    };
    for (auto _ : state) {
        state.PauseTiming();
        form->Button3Click();
        state.ResumeTiming();
        form->Button1Click();
        while (!anyDrawn())
            QCoreApplication::processEvents();
        state.PauseTiming();
        form->Button2Click();
        state.ResumeTiming();
    }
}

// Fit to Figure of Plant 3 at 10 substitutions (6 464 679 symbols): from the command to the start
// of the Draw that follows the measuring walk; that Draw is then stopped.
void BM_FitBeforeDraw(benchmark::State& state, app::TForm1* form)
{
    Choose(*form, presetCases[6], 10);
    for (auto _ : state) {
        state.PauseTiming();
        form->Button3Click();
        state.ResumeTiming();
        form->FitToFigure();
        while (form->figures().empty())
            QCoreApplication::processEvents();
        state.PauseTiming();
        form->Button2Click();
        state.ResumeTiming();
    }
}

// One notch of the wheel over the plane's centre with Plant 3 at 7 drawn (40 768 segments): the
// session redraws the figure from its record in the new window. Notches go in and out by turns,
// so that every iteration redraws the same figure at about the same scale.
void BM_ZoomNotch(benchmark::State& state)
{
    plane::Plane plane;
    plane.SetPlaneSize(app::PlaneSize, app::PlaneSize);
    app::DrawingSession session(plane);
    app::PanelFields fields;
    app::ApplyPreset(app::Preset::Plant3, fields);
    fields.substCount = 7;
    session.Draw(fields);
    session.RunToEnd();
    double factor = 1.25;
    for (auto _ : state) {
        session.Zoom(app::PlaneSize / 2.0, app::PlaneSize / 2.0, factor);
        session.RunToEnd();
        factor = 1.0 / factor;
    }
}

// Saving and opening an L-system file with every field set.
void BM_LSystemFile(benchmark::State& state, bool open)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("plant.lsys"));
    app::PanelFields fields;
    app::ApplyPreset(app::Preset::Plant3, fields);
    app::SaveLSystemFile(path, fields);
    for (auto _ : state) {
        if (open)
            benchmark::DoNotOptimize(app::OpenLSystemFile(path, {}));
        else
            app::SaveLSystemFile(path, fields);
    }
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
        benchmark::RegisterBenchmark((std::string("Draw/") + preset.name + "/as_set").c_str(),
            BM_Draw, &form, &preset, -1, "0")
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            (std::string("Draw/") + preset.name + "/10").c_str(), BM_Draw, &form, &preset, 10, "0")
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark(
        "Draw/KochCurve/10/amplitude_0.05", BM_Draw, &form, &presetCases[0], 10, "0.05")
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime();
    benchmark::RegisterBenchmark("Draw/FirstSegment/Plant2_282M_steps", BM_FirstSegment, &form)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Fit/Plant3/10", BM_FitBeforeDraw, &form)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Zoom/Plant3/7", BM_ZoomNotch)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime()
        ->UseRealTime();
    benchmark::RegisterBenchmark("LSystemFile/Save", BM_LSystemFile, false)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("LSystemFile/Open", BM_LSystemFile, true)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
