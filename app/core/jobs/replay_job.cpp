#include "app/core/jobs/replay_job.h"

#include "app/core/jobs/walk_slice.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace app {

ReplayJob::ReplayJob(
    std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas, FigureWalker walker)
    : m_figures(std::move(figures))
    , m_planeSize(planeSize)
    , m_canvas(canvas)
    , m_walker(std::move(walker))
{
}

ReplayJob::~ReplayJob() = default;

std::uint64_t ReplayJob::symbolsWalked() const
{
    return m_report.symbols + (m_walk ? m_walk->symbolsWalked() : 0);
}

bool ReplayJob::RunSlice(Clock::time_point deadline)
{
    const auto began = Clock::now();
    struct Timing {
        ReplayReport& report;
        Clock::time_point began;
        ~Timing() { report.drawing += Clock::now() - began; }
    } timing { m_report, began };

    return RunWalkSlice([this](std::uint64_t symbols) { return Advance(symbols); }, deadline);
}

bool ReplayJob::Advance(std::uint64_t symbols)
{
    if (!m_walk) {
        if (m_next == m_figures.size())
            return true;
        m_walk = m_walker(m_figures[m_next++], m_planeSize, m_canvas);
    }
    const std::uint64_t walked = symbolsWalked();
    // Stopped by the limit, the figure waits for the limit to move.
    if (walked >= m_limit)
        return true;
    const bool ended = m_walk->Advance(std::min(symbols, m_limit - walked));
    if (ended)
        EndFigure();
    m_report.segments = SegmentsDrawn();
    return ended && m_next == m_figures.size();
}

void ReplayJob::EndFigure()
{
    m_report.symbols += m_walk->symbolsWalked();
    m_segmentsOfFiguresDone += m_walk->segmentsDrawn();
    m_walk.reset();
}

std::uint64_t ReplayJob::SegmentsDrawn() const
{
    return m_segmentsOfFiguresDone + (m_walk ? m_walk->segmentsDrawn() : 0);
}

double ReplayJob::progress() const
{
    if (m_figures.empty())
        return 1.0;
    const double current = m_walk ? m_walk->progress() : 0.0;
    const double started = m_walk ? static_cast<double>(m_next - 1) : static_cast<double>(m_next);
    return (started + current) / static_cast<double>(m_figures.size());
}

} // namespace app
