#include "app/core/explore/explore_job.h"

#include "app/core/jobs/exact_figure_walk.h"
#include "app/core/record/prepared_draw.h"
#include "lsystem/explore/explore_walk.h"

#include <limits>
#include <optional>
#include <utility>

namespace app {

namespace {

// The largest sub-figure the coarse frame draws as its chord: a few pixels long.
constexpr double CoarseChordPixels = 4.0;

// A figure drawn by the walk that adapts its detail to the view, counting the sub-figures it
// draws as chords or passes over into the job's tallies.
class AdaptedFigureWalk final : public FigureWalk {
public:
    AdaptedFigureWalk(const DrawnFigure& record, int planeSize, double chordPixels,
        MappedCanvas& canvas, std::uint64_t& chords, std::uint64_t& skipped)
        : m_chords(chords)
        , m_skipped(skipped)
    {
        canvas.SetMapping(WindowMapping(record.window, planeSize));
        m_walk.emplace(record.walk.params, record.walk.style,
            ExploreViewOf(record.window, planeSize), chordPixels, canvas);
    }

    bool Advance(std::uint64_t symbols) override
    {
        const lsystem::ExploreStats before = m_walk->stats();
        const bool done = m_walk->Advance(symbols);
        const lsystem::ExploreStats& after = m_walk->stats();
        m_chords += after.chords - before.chords;
        m_skipped += after.skipped - before.skipped;
        return done;
    }
    std::uint64_t symbolsWalked() const override { return m_walk->stats().symbols; }
    std::uint64_t segmentsDrawn() const override { return m_walk->stats().primitives; }
    double progress() const override { return m_walk->progress(); }

private:
    std::uint64_t& m_chords;
    std::uint64_t& m_skipped;
    std::optional<lsystem::ExploreWalk> m_walk; // once the mapping is set
};

} // namespace

ExploreJob::ExploreJob(std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas,
    ExploreDetail detail, Counts counts)
    : m_detail(detail)
    , m_counts(counts)
    , m_replay(std::move(figures), planeSize, canvas,
          [this](const DrawnFigure& figure, int size, MappedCanvas& target) {
              return Walk(figure, size, target);
          })
{
}

ExploreJob::~ExploreJob() = default;

std::unique_ptr<FigureWalk> ExploreJob::Walk(
    const DrawnFigure& figure, int planeSize, MappedCanvas& canvas)
{
    const bool whole = figure.symbolsWalked == std::numeric_limits<std::uint64_t>::max();
    m_records.push_back(
        whole && m_counts == Counts::Find ? ExploreFigure(figure, planeSize) : figure);
    const DrawnFigure& record = m_records.back();
    const PreparedWalk& walk = record.walk;
    if (!whole || !lsystem::ExploreWalk::Handles(walk.params, walk.style))
        return WalkExactly(record, planeSize, canvas);
    const double chordPixels
        = m_detail == ExploreDetail::Coarse ? CoarseChordPixels : ExploreChordPixels;
    return std::make_unique<AdaptedFigureWalk>(
        record, planeSize, chordPixels, canvas, m_chords, m_skipped);
}

ExploreReport ExploreJob::report() const
{
    const ReplayReport& replay = m_replay.report();
    const std::int32_t substitutions
        = m_records.empty() ? 0 : m_records.back().walk.params.SubstCount;
    return { replay.segments, m_chords, m_skipped, replay.symbols, substitutions, replay.drawing };
}

} // namespace app
