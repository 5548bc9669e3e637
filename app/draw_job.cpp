#include "app/draw_job.h"

namespace app {

namespace {

// Symbols walked between two looks at the clock: few enough that even wide, long segments
// keep a slice within its deadline, many enough that the clock costs nothing.
constexpr std::uint64_t SymbolsPerClockReading = 256;

} // namespace

DrawJob::DrawJob(lsystem::DrawParams& params, const lsystem::WalkStyle& style,
    lsystem::RandomGenerator& random, lsystem::Canvas& canvas)
    : m_style(style)
    , m_walk(params, m_style, random, canvas)
{
}

bool DrawJob::RunSlice(Clock::time_point deadline)
{
    for (;;) {
        if (m_walk.Advance(SymbolsPerClockReading))
            return true;
        if (Clock::now() >= deadline)
            return false;
    }
}

double DrawJob::progress() const
{
    const std::uint64_t total = m_walk.symbolCount();
    if (total == 0)
        return 1.0;
    return static_cast<double>(m_walk.symbolsWalked()) / static_cast<double>(total);
}

} // namespace app
