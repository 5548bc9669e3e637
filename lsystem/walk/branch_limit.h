#pragma once

#include <cstddef>
#include <stdexcept>

namespace lsystem {

// The deepest nesting of branches a walk accepts; a branch opened beyond it ends the walk with
// BranchDepthError. Every turtle and every walker of a word keeps to it.
inline constexpr std::size_t MaxBranchDepth = std::size_t { 1 } << 20;

class BranchDepthError : public std::runtime_error {
public:
    BranchDepthError();
};

} // namespace lsystem
