#pragma once

#include "app/core/explore/explore_figure.h"
#include "app/core/jobs/figure_walk.h"
#include "app/core/jobs/replay_job.h"
#include "app/core/jobs/session_job.h"
#include "app/core/pictures/mapped_canvas.h"
#include "app/core/record/drawn_figure.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace app {

// How finely an Explore view is drawn: Coarse for the frame that comes at once when the view
// changes, Fine for the one that replaces it.
enum class ExploreDetail { Coarse, Fine };

// What drawing an Explore view took.
struct ExploreReport {
    std::uint64_t primitives = 0; // segments drawn, chords among them
    std::uint64_t chords = 0; // sub-figures drawn as their chord
    std::uint64_t skipped = 0; // sub-figures outside the view, not walked
    std::uint64_t symbols = 0; // symbols taken one at a time
    std::int32_t substitutions = 0; // the count the last figure is drawn at
    std::chrono::nanoseconds drawing {}; // time spent in slices
};

// Draws figures as Explore shows them: a replay (ReplayJob) of the figures in their windows (the
// view's) onto a canvas that maps a planeSize × planeSize plane, each figure walked another way.
// A whole figure ExploreWalk handles is drawn by it, every other whole one by the exact walk of
// its ExploreFigure record from its own seed (the session's generator is never touched), so that
// the same seed gives the same figure at every zoom. A figure that Stop or a fault ended stays
// as it was drawn: walked exactly from its own record, as far as it was. A fault is raised as
// Draw raises it; what was drawn before stays.
class ExploreJob final : public SessionJob {
public:
    // Whether the figures are to be drawn at the counts ExploreFigure finds for them, or are
    // its records already (another frame of the same view found them).
    enum class Counts { Find, Given };

    ExploreJob(std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas,
        ExploreDetail detail, Counts counts = Counts::Find);
    ~ExploreJob() override;
    ExploreJob(const ExploreJob&) = delete;
    ExploreJob& operator=(const ExploreJob&) = delete;

    bool RunSlice(Clock::time_point deadline) override { return m_replay.RunSlice(deadline); }
    double progress() const override { return m_replay.progress(); }

    ExploreReport report() const;
    // The records the figures are drawn from, once the job is done: ExploreFigure's.
    const std::vector<DrawnFigure>& records() const { return m_records; }

private:
    // The walk of one figure: a FigureWalker.
    std::unique_ptr<FigureWalk> Walk(
        const DrawnFigure& figure, int planeSize, MappedCanvas& canvas);

    ExploreDetail m_detail;
    Counts m_counts;
    std::vector<DrawnFigure> m_records; // of the figures started
    std::uint64_t m_chords = 0;
    std::uint64_t m_skipped = 0;
    ReplayJob m_replay; // last: its walker adds to the members above
};

} // namespace app
