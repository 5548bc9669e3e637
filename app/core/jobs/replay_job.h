#pragma once

#include "app/core/jobs/exact_figure_walk.h"
#include "app/core/jobs/figure_walk.h"
#include "app/core/jobs/session_job.h"
#include "app/core/pictures/mapped_canvas.h"
#include "app/core/record/drawn_figure.h"

#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace app {

// What drawing figures again took.
struct ReplayReport {
    std::uint64_t symbols = 0; // symbols walked, all figures together
    std::uint64_t segments = 0; // segments drawn
    std::chrono::nanoseconds drawing {}; // time spent in slices: rewriting, walking and drawing
};

// Draws figures again from their records, in order, onto a canvas that maps a planeSize ×
// planeSize plane, each in its own window and walked by `walker`: exactly by default, each
// with its own prepared walk, a generator started from its seed (the session's own is never
// touched) and its symbolsWalked as the limit. An arithmetic fault of a figure is raised as
// Draw raises it; what was drawn before stays.
//
// A limit on the symbols of all the figures together pauses the drawing, as an animation's
// steps do: RunSlice is then done once it has walked that many, and moving the limit on walks
// on from there, as if the drawing had never paused.
class ReplayJob final : public SessionJob {
public:
    ReplayJob(std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas,
        FigureWalker walker = WalkExactly);
    ~ReplayJob() override;

    bool RunSlice(Clock::time_point deadline) override;
    double progress() const override;

    const ReplayReport& report() const { return m_report; }

    // Moves the limit on to `symbols` of all the figures together, at least those walked.
    void SetSymbolLimit(std::uint64_t symbols) { m_limit = symbols; }
    // The symbols walked, all figures together.
    std::uint64_t symbolsWalked() const;

private:
    // Walks on for at most `symbols` symbols; true once every figure has ended or the limit
    // is reached.
    bool Advance(std::uint64_t symbols);
    // Adds the figure that has ended to the report.
    void EndFigure();
    // The segments of the figures done and of the one being drawn.
    std::uint64_t SegmentsDrawn() const;

    std::vector<DrawnFigure> m_figures;
    int m_planeSize;
    MappedCanvas& m_canvas;
    FigureWalker m_walker;
    std::uint64_t m_segmentsOfFiguresDone = 0;
    std::size_t m_next = 0; // the figure to start after the current one
    std::uint64_t m_limit = std::numeric_limits<std::uint64_t>::max();
    std::unique_ptr<FigureWalk> m_walk; // the figure being drawn; none between figures
    ReplayReport m_report;
};

} // namespace app
