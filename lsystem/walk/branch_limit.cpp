#include "lsystem/walk/branch_limit.h"

#include <string>

namespace lsystem {

BranchDepthError::BranchDepthError()
    : std::runtime_error("Branches nest deeper than " + std::to_string(MaxBranchDepth) + " levels")
{
}

} // namespace lsystem
