#pragma once

#include "app/core/jobs/draw_job.h"
#include "app/core/jobs/session_job.h"
#include "app/core/pictures/mapped_canvas.h"
#include "app/core/record/drawn_figure.h"

#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace app {

// What drawing figures again took.
struct ReplayReport {
    std::uint64_t symbols = 0; // symbols walked, all figures together
    std::uint64_t segments = 0; // segments drawn
    std::chrono::nanoseconds drawing {}; // time spent in slices: rewriting, walking and drawing
};

// One figure walked again from its record: the canvas takes the mapping of the figure's window
// onto a planeSize × planeSize plane, and the record's prepared walk a generator started from the
// figure's seed and its symbolsWalked as the limit. A fault of the mapping is raised here.
class FigureWalk {
public:
    FigureWalk(const DrawnFigure& figure, int planeSize, MappedCanvas& canvas);
    FigureWalk(const FigureWalk&) = delete;
    FigureWalk& operator=(const FigureWalk&) = delete;

    DrawJob& job() { return m_job; }
    const DrawJob& job() const { return m_job; }

private:
    lsystem::RandomGenerator m_random;
    DrawJob m_job;
};

// Draws figures again from their records, in order, onto a canvas that maps a planeSize ×
// planeSize plane: each in its own window with its own prepared walk, a generator started from
// its seed (the session's own is never touched) and its symbolsWalked as the limit. An
// arithmetic fault of a figure is raised as Draw raises it; what was drawn before stays.
//
// A limit on the symbols of all the figures together pauses the drawing, as an animation's
// steps do: RunSlice is then done once it has walked that many, and moving the limit on walks
// on from there, as if the drawing had never paused.
class ReplayJob final : public SessionJob {
public:
    ReplayJob(std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas);
    ~ReplayJob() override;

    bool RunSlice(Clock::time_point deadline) override;
    double progress() const override;

    const ReplayReport& report() const { return m_report; }

    // Runs every slice at once.
    void RunToEnd();
    // Moves the limit on to `symbols` of all the figures together, at least those walked.
    void SetSymbolLimit(std::uint64_t symbols);
    // The symbols walked, all figures together.
    std::uint64_t symbolsWalked() const;

private:
    void StartFigure();
    // Starts the next figure while the current one is done; false when none is left or the
    // current one waits at the limit.
    bool NextFigure();
    // The current figure's walk ends at the figure's own end or at the limit, whichever is first.
    void LimitWalk();
    // The segments of the figures done and of the one being drawn.
    std::uint64_t SegmentsDrawn() const;

    std::vector<DrawnFigure> m_figures;
    int m_planeSize;
    MappedCanvas& m_canvas;
    std::uint64_t m_segmentsOfFiguresDone = 0;
    std::size_t m_next = 0; // the figure to start after the current one
    std::uint64_t m_limit = std::numeric_limits<std::uint64_t>::max();
    std::unique_ptr<FigureWalk> m_walk; // the figure being drawn; none before the first slice
    ReplayReport m_report;
};

} // namespace app
