#pragma once

#include "app/core/explore/explore_figure.h"
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

// Draws figures as Explore shows them, in order, each in its own window (the view's) onto a
// canvas that maps a planeSize × planeSize plane. A figure ExploreWalk handles is drawn by it,
// every other by the whole walk of its ExploreFigure record from its own seed (the session's
// generator is never touched), so that the same seed gives the same figure at every zoom. A
// fault is raised as Draw raises it; what was drawn before stays.
class ExploreJob final : public SessionJob {
public:
    // Whether the figures are to be drawn at the counts ExploreFigure finds for them, or are
    // its records already (another frame of the same view found them).
    enum class Counts { Find, Given };

    ExploreJob(std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas,
        ExploreDetail detail, Counts counts = Counts::Find);
    ~ExploreJob() override;

    bool RunSlice(Clock::time_point deadline) override;
    double progress() const override;
    // Runs every slice at once.
    void RunToEnd();

    const ExploreReport& report() const { return m_report; }
    // The records the figures are drawn from, once the job is done: ExploreFigure's.
    const std::vector<DrawnFigure>& records() const { return m_figures; }

private:
    class FigureDraw;
    void StartFigure();

    std::vector<DrawnFigure> m_figures;
    int m_planeSize;
    MappedCanvas& m_canvas;
    ExploreDetail m_detail;
    Counts m_counts;
    std::size_t m_next = 0;
    std::unique_ptr<FigureDraw> m_draw;
    ExploreReport m_report;
};

} // namespace app
