#include "app/core/replay_job.h"

#include "lsystem/rewriting.h"

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
            m_report.symbols += m_walk->job().symbolsWalked();
            m_segmentsOfFiguresDone += m_walk->job().segmentsDrawn();
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

bool ReplayJob::Advance(std::uint64_t symbols)
{
    while (symbols > 0 && NextFigure()) {
        const std::uint64_t before = m_walk->job().symbolsWalked();
        m_walk->job().RunSymbols(symbols);
        symbols -= std::min(symbols, m_walk->job().symbolsWalked() - before);
        m_report.segments = SegmentsDrawn();
        if (!m_walk->job().finished())
            return false;
    }
    return !NextFigure();
}

std::uint64_t ReplayJob::SegmentsDrawn() const
{
    return m_segmentsOfFiguresDone + (m_walk ? m_walk->job().segmentsDrawn() : 0);
}

std::uint64_t ReplayJob::symbolCount() const
{
    std::uint64_t total = 0;
    for (const DrawnFigure& figure : m_figures) {
        const lsystem::DrawParams& params = figure.walk.params;
        const std::uint64_t count
            = lsystem::RewrittenLength(params.Word, params.RuleF, params.RuleG, params.SubstCount);
        const std::uint64_t walked = std::min(count, figure.symbolsWalked);
        total = walked > UINT64_MAX - total ? UINT64_MAX : total + walked;
    }
    return total;
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
