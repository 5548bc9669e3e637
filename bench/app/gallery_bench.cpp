// The Gallery window over a collection of 550 entries, headless, with the event loop running as
// on a screen: how long until the thumbnails on its first screen are drawn, how long until all
// are, and the longest turn of the event loop meanwhile (the windows answer between turns), with
// how many turns took longer than a 60 Hz frame.

#include "app/ui/application.h"
#include "app/ui/gallery_model.h"
#include "app/ui/gallery_window.h"
#include "app/ui/program_windows.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <set>
#include <string>

namespace {

constexpr int entryCount = 550;

// A handful of varied figures: curves that fill the plane, a snowflake, bushes that branch, one
// that scales and colours its steps; many at an order of a million segments.
const char* const entryBodies[] = {
    " Angle 4\n Axiom FX\n X=X+YF+\n Y=-FX-Y\n",
    " Angle 6\n Axiom F--F--F\n F=F+F--F+F\n",
    " Angle 16\n Axiom ++++F\n F=FF-[-F+F+F]+[+F-F-F]\n",
    " Angle 4\n Axiom X\n X=-YF+XFX+FY-\n Y=+XF-YFY-FX+\n",
    " Angle 6\n Axiom F\n F=G-F-G\n G=F+G+F\n",
    " Angle 8\n Axiom F\n F=C2F@0.7[+F]@I0.7<1F[-F]\n",
    " Angle 12\n Axiom X\n X=F[+X][-X]FX\n F=FF\n",
};

std::string Collection()
{
    std::string text;
    for (int i = 0; i < entryCount; ++i) {
        text += "Entry" + std::to_string(i) + " { ; figure " + std::to_string(i) + "\n";
        text += entryBodies[i % std::size(entryBodies)];
        text += "}\n";
    }
    return text;
}

// The processor time this thread has taken, milliseconds.
double ThreadCpuMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::set<int> VisibleRows(QListView& view)
{
    std::set<int> rows;
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        const QModelIndex index = view.model()->index(row, 0);
        if (view.visualRect(index).intersects(view.viewport()->rect()))
            rows.insert(row);
    }
    return rows;
}

void BM_GalleryThumbnails(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.l"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray::fromStdString(Collection()));
    file.close();

    for (auto _ : state) {
        app::ProgramWindows windows;
        windows.panel().show();
        QElapsedTimer clock;
        clock.start();
        windows.OpenCollection(path);
        app::GalleryWindow& gallery = *windows.gallery();
        const std::set<int> firstScreen = VisibleRows(gallery.view());
        std::set<int> drawn;
        double firstScreenSeconds = 0;
        QObject::connect(&gallery.model(), &QAbstractItemModel::dataChanged, &gallery,
            [&](const QModelIndex& changed) {
                drawn.insert(changed.row());
                if (firstScreenSeconds == 0 && std::ranges::includes(drawn, firstScreen))
                    firstScreenSeconds = clock.nsecsElapsed() / 1e9;
            });
        // The longest time between two turns of the event loop, from the first on (before it the
        // windows are shown for the first time): on the clock, and in the processor time of this
        // thread, which leaves out the time other programs took the processor from it.
        QElapsedTimer turn;
        qint64 longestTurn = 0;
        int turnsOver16ms = 0;
        double turnStartCpu = 0;
        double longestTurnCpu = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const double cpu = ThreadCpuMilliseconds();
            if (turn.isValid()) {
                const qint64 ms = turn.restart();
                longestTurn = std::max(longestTurn, ms);
                turnsOver16ms += ms > 16 ? 1 : 0;
                longestTurnCpu = std::max(longestTurnCpu, cpu - turnStartCpu);
            } else {
                turn.start();
            }
            turnStartCpu = cpu;
        });
        ticker.start(0);
        QEventLoop loop;
        QObject::connect(
            &gallery, &app::GalleryWindow::thumbnailsFinished, &loop, &QEventLoop::quit);
        loop.exec();
        const double allSeconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(allSeconds);
        state.counters["first_screen_thumbnails"] = static_cast<double>(firstScreen.size());
        state.counters["first_screen_s"] = firstScreenSeconds;
        state.counters["all_s"] = allSeconds;
        state.counters["longest_turn_ms"] = static_cast<double>(longestTurn);
        state.counters["longest_turn_cpu_ms"] = longestTurnCpu;
        state.counters["turns_over_16ms"] = turnsOver16ms;
    }
}
BENCHMARK(BM_GalleryThumbnails)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
