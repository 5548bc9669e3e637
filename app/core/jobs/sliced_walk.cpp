#include "app/core/jobs/sliced_walk.h"

#include "app/core/jobs/walk_slice.h"

#include <algorithm>

namespace app {

SlicedWalk::SlicedWalk(const lsystem::DrawParams& params, const lsystem::WalkStyle& style,
    lsystem::RandomGenerator& random, lsystem::Canvas& canvas, std::uint64_t symbolLimit)
    : m_walk(params, style, random, canvas)
    , m_symbolLimit(symbolLimit)
{
}

bool SlicedWalk::RunSlice(Clock::time_point deadline)
{
    return RunWalkSlice([this](std::uint64_t symbols) { return Advance(symbols); }, deadline);
}

bool SlicedWalk::Advance(std::uint64_t symbols)
{
    if (!finished())
        m_walk.Advance(std::min(m_symbolLimit - m_walk.symbolsWalked(), symbols));
    return finished();
}

double SlicedWalk::progress() const
{
    const std::uint64_t total = std::min(m_walk.symbolCount(), m_symbolLimit);
    if (total == 0)
        return 1.0;
    return static_cast<double>(m_walk.symbolsWalked()) / static_cast<double>(total);
}

} // namespace app
