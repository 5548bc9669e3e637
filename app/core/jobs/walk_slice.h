#pragma once

#include <chrono>
#include <cstdint>

namespace app {

// Symbols walked between two looks at the clock: few enough that even wide, long segments
// keep a slice within its deadline, many enough that the clock costs nothing.
inline constexpr std::uint64_t SymbolsPerClockReading = 256;

// Readies the processor for a slice of walking: code that runs between slices, Qt's painting
// among it, may leave the upper halves of the vector registers in use, and until they are
// cleared the walk's scalar floating-point instructions wait on them, which makes it about half
// as fast again.
void ClearUpperVectorState();

// One slice of a walk: `advance(symbols)` walks on for at most that many symbols and returns
// true once the walk is done; it is called until then or until the deadline has passed.
// Returns true when the walk is done.
template <typename Advance>
bool RunWalkSlice(Advance&& advance, std::chrono::steady_clock::time_point deadline)
{
    ClearUpperVectorState();
    while (!advance(SymbolsPerClockReading)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
    }
    return true;
}

} // namespace app
