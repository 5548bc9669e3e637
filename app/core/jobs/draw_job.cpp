#include "app/core/jobs/draw_job.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace app {

namespace {

// Code that runs between slices, Qt's painting among it, may leave the upper halves of the
// processor's vector registers in use; until they are cleared, the walk's scalar floating-point
// instructions wait on them, which makes it about half as fast again. One VZEROUPPER at the start
// of a slice clears them; it exists only where the processor has AVX.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void ZeroUpperHalves()
{
    _mm256_zeroupper();
}
void ClearUpperVectorState()
{
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        ZeroUpperHalves();
}
#else
void ClearUpperVectorState() { }
#endif

// Symbols walked between two looks at the clock: few enough that even wide, long segments
// keep a slice within its deadline, many enough that the clock costs nothing.
constexpr std::uint64_t SymbolsPerClockReading = 256;

} // namespace

DrawJob::DrawJob(const lsystem::DrawParams& params, const lsystem::WalkStyle& style,
    lsystem::RandomGenerator& random, lsystem::Canvas& canvas, std::uint64_t symbolLimit)
    : m_walk(params, style, random, canvas)
    , m_symbolLimit(symbolLimit)
{
}

bool DrawJob::RunSlice(Clock::time_point deadline)
{
    ClearUpperVectorState();
    while (!RunSymbols(SymbolsPerClockReading)) {
        if (Clock::now() >= deadline)
            return false;
    }
    return true;
}

bool DrawJob::RunSymbols(std::uint64_t symbols)
{
    if (!finished())
        m_walk.Advance(std::min(m_symbolLimit - m_walk.symbolsWalked(), symbols));
    return finished();
}

void DrawJob::SetSymbolLimit(std::uint64_t symbolLimit)
{
    m_symbolLimit = symbolLimit;
}

double DrawJob::progress() const
{
    const std::uint64_t total = std::min(m_walk.symbolCount(), m_symbolLimit);
    if (total == 0)
        return 1.0;
    return static_cast<double>(m_walk.symbolsWalked()) / static_cast<double>(total);
}

} // namespace app
