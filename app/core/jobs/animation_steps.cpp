#include "app/core/jobs/animation_steps.h"

#include "lsystem/rules/expansion.h"
#include "lsystem/rules/saturating.h"
#include "lsystem/turtle.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace app {

namespace {

// Within this, k × (symbols mod shares) stays within 64 bits for every step k.
constexpr std::int64_t MaxShares = std::numeric_limits<std::uint32_t>::max();

// The symbols of a figure's word at `count` substitutions, from its seed; the rest of its walk
// (the step length of that count among it) is not needed for them.
std::uint64_t WordSymbols(const DrawnFigure& figure, std::int32_t count)
{
    lsystem::DrawParams params = figure.walk.params;
    params.SubstCount = count;
    return lsystem::WalkLength(params, figure.seed);
}

// The symbols that drawing the figures again from their records walks, all together
// (saturating at UINT64_MAX).
std::uint64_t SymbolsToWalk(const std::vector<DrawnFigure>& figures)
{
    std::uint64_t total = 0;
    for (const DrawnFigure& figure : figures) {
        const std::uint64_t count = WordSymbols(figure, figure.walk.params.SubstCount);
        total = lsystem::AddSaturating(total, std::min(count, figure.symbolsWalked));
    }
    return total;
}

} // namespace

AnimationSteps::AnimationSteps(bool growth, std::vector<DrawnFigure> figures)
    : m_growth(growth)
    , m_figures(std::move(figures))
{
}

AnimationSteps AnimationSteps::Growth(DrawnFigure figure, std::int32_t lastCount)
{
    AnimationSteps steps(true, { std::move(figure) });
    steps.m_count
        = static_cast<std::uint64_t>(std::clamp(lastCount, MinSubstitutions, MaxSubstitutions)) + 1;
    const DrawnFigure& first = steps.m_figures.front();
    for (std::uint64_t k = 0; k < steps.m_count; ++k) {
        steps.m_symbolsBefore.push_back(steps.m_symbols);
        steps.m_symbols = lsystem::AddSaturating(
            steps.m_symbols, WordSymbols(first, static_cast<std::int32_t>(k)));
    }
    return steps;
}

AnimationSteps AnimationSteps::Drawing(
    std::vector<DrawnFigure> figures, std::int64_t shares, DrawingPace pace)
{
    AnimationSteps steps(false, std::move(figures));
    steps.m_symbols = SymbolsToWalk(steps.m_figures);
    steps.m_shares = static_cast<std::uint64_t>(std::clamp<std::int64_t>(shares, 1, MaxShares));
    steps.m_stride = steps.m_symbols / steps.m_shares;
    if (pace == DrawingPace::Frames) {
        steps.m_spread = true;
        steps.m_count = steps.m_shares;
    } else {
        steps.m_stride = std::max<std::uint64_t>(steps.m_stride, 1);
        steps.m_count = std::max<std::uint64_t>(
            1, steps.m_symbols / steps.m_stride + (steps.m_symbols % steps.m_stride != 0 ? 1 : 0));
    }
    return steps;
}

std::vector<DrawnFigure> AnimationSteps::Figures(std::uint64_t k) const
{
    if (m_growth)
        return { GrowthStep(m_figures.front(), static_cast<std::int32_t>(k)) };
    return m_figures;
}

std::uint64_t AnimationSteps::Symbols(std::uint64_t k) const
{
    if (m_growth)
        return std::numeric_limits<std::uint64_t>::max();
    if (k + 1 >= m_count)
        return m_symbols;
    // Before the last step, fewer than m_symbols: (k + 1) × m_stride does not overflow.
    const std::uint64_t shown = k + 1;
    const std::uint64_t spread = m_spread ? m_symbols % m_shares * shown / m_shares : 0;
    return m_stride * shown + spread;
}

double AnimationSteps::Progress(std::uint64_t k, std::uint64_t walked) const
{
    if (m_symbols == 0)
        return static_cast<double>(k) / static_cast<double>(m_count);
    const std::uint64_t before = m_growth ? m_symbolsBefore.at(k) : 0;
    return std::min(1.0,
        (static_cast<double>(before) + static_cast<double>(walked))
            / static_cast<double>(m_symbols));
}

} // namespace app
