#include "app/core/jobs/walk_slice.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace app {

namespace {

// One VZEROUPPER clears the upper halves; it exists only where the processor has AVX.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void ZeroUpperHalves()
{
    _mm256_zeroupper();
}
#endif

} // namespace

void ClearUpperVectorState()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        ZeroUpperHalves();
#endif
}

} // namespace app
