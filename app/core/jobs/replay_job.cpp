#include "app/core/jobs/replay_job.h"

#include <algorithm>
#include <cstdint>

namespace app {

FigureWalk::FigureWalk(const DrawnFigure& figure, int planeSize, MappedCanvas& canvas)
    : m_random(figure.seed)
    , m_job(figure.walk.params, figure.walk.style, m_random, canvas, figure.symbolsWalked)
{
    canvas.SetMapping(WindowMapping(figure.window, planeSize));
}

ReplayJob::ReplayJob(std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas)
    : m_figures(std::move(figures))
    , m_planeSize(planeSize)
    , m_canvas(canvas)
{
}

ReplayJob::~ReplayJob() = default;

void ReplayJob::StartFigure()
{
    m_walk = std::make_unique<FigureWalk>(m_figures[m_next++], m_planeSize, m_canvas);
    LimitWalk();
}

void ReplayJob::LimitWalk()
{
    const std::uint64_t left = m_limit - std::min(m_limit, m_report.symbols);
    m_walk->job().SetSymbolLimit(std::min(m_figures[m_next - 1].symbolsWalked, left));
}

void ReplayJob::SetSymbolLimit(std::uint64_t symbols)
{
    m_limit = symbols;
    if (m_walk)
        LimitWalk();
}

std::uint64_t ReplayJob::symbolsWalked() const
{
    return m_report.symbols + (m_walk ? m_walk->job().symbolsWalked() : 0);
}

bool ReplayJob::RunSlice(Clock::time_point deadline)
{
    const auto began = Clock::now();
    struct Timing {
        ReplayReport& report;
        Clock::time_point began;
        ~Timing() { report.drawing += Clock::now() - began; }
    } timing { m_report, began };

    while (NextFigure()) {
        const bool done = m_walk->job().RunSlice(deadline);
        m_report.segments = SegmentsDrawn();
        if (!done)
            return false;
    }
    return true;
}

bool ReplayJob::NextFigure()
{
    while (!m_walk || m_walk->job().finished()) {
        if (m_walk) {
            const DrawJob& job = m_walk->job();
            // Stopped by the limit short of its own end, the figure waits for the limit to move.
            const std::uint64_t own
                = std::min(job.symbolCount(), m_figures[m_next - 1].symbolsWalked);
            if (symbolsWalked() >= m_limit && job.symbolsWalked() < own)
                return false;
            m_report.symbols += job.symbolsWalked();
            m_segmentsOfFiguresDone += job.segmentsDrawn();
        }
        m_walk.reset();
        if (m_next == m_figures.size()) {
            m_report.segments = m_segmentsOfFiguresDone;
            return false;
        }
        StartFigure();
    }
    return true;
}

std::uint64_t ReplayJob::SegmentsDrawn() const
{
    return m_segmentsOfFiguresDone + (m_walk ? m_walk->job().segmentsDrawn() : 0);
}

void ReplayJob::RunToEnd()
{
    while (!RunSlice(Clock::time_point::max())) { }
}

double ReplayJob::progress() const
{
    if (m_figures.empty())
        return 1.0;
    const double current = m_walk ? m_walk->job().progress() : 0.0;
    const double started = m_walk ? static_cast<double>(m_next - 1) : static_cast<double>(m_next);
    return (started + current) / static_cast<double>(m_figures.size());
}

} // namespace app
