#include "app/core/explore/explore_job.h"

#include "app/core/record/prepared_draw.h"
#include "lsystem/explore/explore_walk.h"
#include "lsystem/turtle.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace app {

namespace {

// The largest sub-figure the coarse frame draws as its chord: a few pixels long.
constexpr double CoarseChordPixels = 4.0;
// Symbols walked between two looks at the clock.
constexpr std::uint64_t SymbolsPerClockReading = 256;

} // namespace

// One figure as Explore draws it: by the walk that adapts its detail where that walk handles it,
// else whole from its seed.
class ExploreJob::FigureDraw {
public:
    FigureDraw(const DrawnFigure& record, int planeSize, MappedCanvas& canvas, ExploreDetail detail)
        : m_record(record)
        , m_random(m_record.seed)
    {
        canvas.SetMapping(WindowMapping(record.window, planeSize));
        const PreparedWalk& walk = record.walk;
        if (lsystem::ExploreWalk::Handles(walk.params, walk.style)) {
            const double chordPixels
                = detail == ExploreDetail::Coarse ? CoarseChordPixels : ExploreChordPixels;
            m_explore.emplace(walk.params, walk.style, ExploreViewOf(record.window, planeSize),
                chordPixels, canvas);
        } else {
            m_whole.emplace(walk.params, walk.style, m_random, canvas);
        }
    }

    // Walks on for at most `symbols` symbols; true when the figure is done.
    bool Run(std::uint64_t symbols)
    {
        if (m_explore)
            return m_explore->Advance(symbols);
        m_whole->Advance(symbols);
        return m_whole->finished();
    }

    std::int32_t substitutions() const { return m_record.walk.params.SubstCount; }
    // The counts so far: the whole walk draws every step and passes nothing over.
    lsystem::ExploreStats stats() const
    {
        if (m_explore)
            return m_explore->stats();
        return { m_whole->segmentsDrawn(), 0, 0, m_whole->symbolsWalked() };
    }

private:
    DrawnFigure m_record;
    lsystem::RandomGenerator m_random;
    std::optional<lsystem::ExploreWalk> m_explore;
    std::optional<lsystem::TurtleWalk> m_whole;
};

ExploreJob::ExploreJob(std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas,
    ExploreDetail detail, Counts counts)
    : m_figures(std::move(figures))
    , m_planeSize(planeSize)
    , m_canvas(canvas)
    , m_detail(detail)
    , m_counts(counts)
{
}

ExploreJob::~ExploreJob() = default;

void ExploreJob::StartFigure()
{
    DrawnFigure& figure = m_figures[m_next];
    if (m_counts == Counts::Find)
        figure = ExploreFigure(figure, m_planeSize);
    m_draw = std::make_unique<FigureDraw>(figure, m_planeSize, m_canvas, m_detail);
    ++m_next;
    m_report.substitutions = m_draw->substitutions();
}

bool ExploreJob::RunSlice(Clock::time_point deadline)
{
    const Clock::time_point start = Clock::now();
    bool done = false;
    try {
        for (;;) {
            if (!m_draw) {
                if (m_next == m_figures.size()) {
                    done = true;
                    break;
                }
                StartFigure();
            }
            const lsystem::ExploreStats before = m_draw->stats();
            const bool figureDone = m_draw->Run(SymbolsPerClockReading);
            const lsystem::ExploreStats after = m_draw->stats();
            m_report.primitives += after.primitives - before.primitives;
            m_report.chords += after.chords - before.chords;
            m_report.skipped += after.skipped - before.skipped;
            m_report.symbols += after.symbols - before.symbols;
            if (figureDone)
                m_draw.reset();
            if (Clock::now() >= deadline)
                break;
        }
    } catch (...) {
        m_report.drawing += Clock::now() - start;
        throw;
    }
    m_report.drawing += Clock::now() - start;
    return done;
}

double ExploreJob::progress() const
{
    if (m_figures.empty())
        return 1.0;
    const std::size_t done = m_next - (m_draw ? 1 : 0);
    return static_cast<double>(done) / static_cast<double>(m_figures.size());
}

void ExploreJob::RunToEnd()
{
    while (!RunSlice(Clock::time_point::max())) { }
}

} // namespace app
