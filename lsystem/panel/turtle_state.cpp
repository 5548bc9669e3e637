#include "lsystem/panel/turtle_state.h"

#include "fpu/floating_point_error.h"

#include <algorithm>

namespace lsystem {

namespace {

constexpr std::size_t ReservedBranches = 256; // open branches held without reallocating

} // namespace

TurtleState::TurtleState(std::int32_t startWidth)
    : penWidth(startWidth)
{
    m_branches.reserve(ReservedBranches);
}

double TurtleState::RaiseFault(double value)
{
    return fpu::Checked(value);
}

std::int32_t TurtleState::Narrowed(
    std::int32_t width, std::int32_t narrowing, std::uint64_t narrowings)
{
    // Both factors are within 2^32, so the product and the difference fit in 64 bits.
    const std::int64_t narrowed = std::int64_t { width }
        - std::int64_t { narrowing } * static_cast<std::int64_t>(narrowings);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(narrowed,
        std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void TurtleState::OpenBranch()
{
    if (m_branches.size() == MaxBranchDepth)
        throw BranchDepthError();
    m_branches.push_back({ x, y, heading, penWidth });
}

} // namespace lsystem
