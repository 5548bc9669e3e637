#include "app/core/explore_job.h"

#include "app/core/prepared_draw.h"
#include "lsystem/expansion.h"
#include "lsystem/explore_walk.h"
#include "lsystem/rule_table.h"
#include "lsystem/subfigure_bounds.h"
#include "lsystem/turtle.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace app {

namespace {

// The largest sub-figure drawn as its chord, in pixels from its start to its farthest point:
// the coarse frame's chords are a few pixels long, the fine frame's within a pixel.
constexpr double CoarseChordPixels = 4.0;
constexpr double FineChordPixels = 1.0;
// How much larger or smaller than at its own count a figure may grow with the count Explore
// gives it.
constexpr double MaxSizeChange = 1.25;
// Symbols walked between two looks at the clock.
constexpr std::uint64_t SymbolsPerClockReading = 256;
// The longest word of a figure with alternatives that Explore walks whole: each of its views
// costs a count of the word and a walk of it, a few milliseconds each at this length.
constexpr std::uint64_t MaxWeightedSymbols = std::uint64_t { 1 } << 19;

lsystem::ExploreView ViewOf(const WorldWindow& window, const plane::Viewport& mapping)
{
    return { std::min(window.x1, window.x2), std::max(window.x1, window.x2),
        std::min(window.y1, window.y2), std::max(window.y1, window.y2), mapping.ScaleX,
        mapping.ScaleY };
}

// Whether more substitutions make the figure finer rather than larger or noisier: its steps
// shorten with the count, its turtle is the panel's, and no random amplitude perturbs them.
bool GrowsFiner(const lsystem::DrawParams& params)
{
    const double factor = std::abs(params.LengthScale);
    return params.Commands == lsystem::CommandSet::Panel && params.RandomAmp == 0.0 && factor > 0.0
        && factor < 1.0;
}

// How far a figure reaches at `count` substitutions, in world units: the largest bound of its
// axiom's symbols that have rules, times the step length at that count. None when the axiom
// has no such symbol.
double Reach(const lsystem::DrawParams& params, const lsystem::SubfigureBounds& bounds,
    const lsystem::RuleTable& rules, std::int32_t count)
{
    double radius = 0.0;
    for (const char symbol : params.Word) {
        if (rules.rewrites(symbol))
            radius = std::max(radius, bounds.Of(symbol, count).radius);
    }
    return radius * std::pow(std::abs(params.LengthScale), count);
}

// The count at which one step spans at most a pixel, from the figure's own on, at most
// MaxExploreSubstitutions, as long as the figure keeps its size: a count that makes it
// noticeably larger or smaller (a plant whose trunk does not grow with its branches) would show
// another figure rather than more detail of this one.
std::int32_t PixelCount(
    const lsystem::DrawParams& params, const lsystem::RuleTable& rules, double pixelsPerUnit)
{
    const lsystem::SubfigureBounds bounds(params, MaxExploreSubstitutions);
    std::int32_t count = params.SubstCount;
    const double reach = Reach(params, bounds, rules, count);
    if (!(reach > 0.0) || !std::isfinite(reach))
        return count;
    const double factor = std::abs(params.LengthScale);
    double stepPixels = std::abs(params.StepLength) * pixelsPerUnit;
    while (count < MaxExploreSubstitutions && stepPixels > 1.0) {
        const double ratio = Reach(params, bounds, rules, count + 1) / reach;
        if (!(ratio >= 1.0 / MaxSizeChange && ratio <= MaxSizeChange))
            break;
        stepPixels *= factor;
        ++count;
    }
    return count;
}

// The largest count from `own` to `count` at which the word of a figure with alternatives
// stays short enough to walk whole in a view.
std::int32_t WeightedCount(
    const lsystem::DrawParams& params, std::uint32_t seed, std::int32_t own, std::int32_t count)
{
    lsystem::RewrittenWord word = lsystem::WordOf(params, seed);
    std::int32_t allowed = own;
    for (std::int32_t next = own + 1; next <= count; ++next) {
        word.count = next;
        if (lsystem::WordLength(word) > MaxWeightedSymbols)
            break;
        allowed = next;
    }
    return allowed;
}

} // namespace

DrawnFigure ExploreFigure(const DrawnFigure& figure, int planeSize)
{
    const lsystem::DrawParams& params = figure.walk.params;
    if (!GrowsFiner(params))
        return figure;
    const plane::Viewport mapping = WindowMapping(figure.window, planeSize);
    const double pixelsPerUnit = std::max(std::abs(mapping.ScaleX), std::abs(mapping.ScaleY));
    const std::int32_t own = params.SubstCount;
    const lsystem::RuleTable rules(params.RuleF, params.RuleG, params.MoreRules);
    std::int32_t count = PixelCount(params, rules, pixelsPerUnit);
    if (count != own && rules.weighted())
        count = WeightedCount(params, figure.seed, own, count);
    if (count == own)
        return figure;
    DrawnFigure explored = figure;
    explored.walk = WalkAtCount(
        figure.walk, figure.fields.preset, count, figure.colourBefore, MaxExploreSubstitutions);
    explored.fields.substCount = count;
    explored.symbolsWalked = std::numeric_limits<std::uint64_t>::max();
    return explored;
}

// One figure as Explore draws it: by the walk that adapts its detail where that walk handles it,
// else whole from its seed.
class ExploreJob::FigureDraw {
public:
    FigureDraw(const DrawnFigure& figure, int planeSize, MappedCanvas& canvas, double chordPixels)
        : m_record(ExploreFigure(figure, planeSize))
        , m_random(m_record.seed)
    {
        const plane::Viewport mapping = WindowMapping(m_record.window, planeSize);
        canvas.SetMapping(mapping);
        const PreparedWalk& walk = m_record.walk;
        if (lsystem::ExploreWalk::Handles(walk.params, walk.style)) {
            m_explore.emplace(
                walk.params, walk.style, ViewOf(m_record.window, mapping), chordPixels, canvas);
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

ExploreJob::ExploreJob(
    std::vector<DrawnFigure> figures, int planeSize, MappedCanvas& canvas, ExploreDetail detail)
    : m_figures(std::move(figures))
    , m_planeSize(planeSize)
    , m_canvas(canvas)
    , m_detail(detail)
{
}

ExploreJob::~ExploreJob() = default;

void ExploreJob::StartFigure()
{
    const double chordPixels
        = m_detail == ExploreDetail::Coarse ? CoarseChordPixels : FineChordPixels;
    m_draw = std::make_unique<FigureDraw>(m_figures[m_next], m_planeSize, m_canvas, chordPixels);
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
