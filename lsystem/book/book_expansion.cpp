#include "lsystem/book/book_expansion.h"

#include "lsystem/rules/rule_table.h"

#include <algorithm>

namespace lsystem::book {

BookExpansion::BookExpansion(const BookSystem& system, int count, std::uint32_t seed)
    : m_system(system)
    , m_count(static_cast<std::size_t>(std::clamp(count, 0, MaxDerivationLength)))
    , m_seed(seed)
    , m_weighted(system.weighted)
    , m_frames(m_count + 1)
    , m_rows((m_count + 1) * MaxArguments)
{
    const BookSuccessor& axiom = system.axiom;
    m_frames[0] = { axiom.modules.data(), axiom.modules.data(),
        axiom.modules.data() + axiom.modules.size(), axiom.arguments.data(), nullptr };
    if (m_weighted) {
        m_starts.assign(m_count + 1, 0);
        m_closed.resize(m_count + 1);
    }
}

const BookSuccessor& BookExpansion::Successor(const BookProduction& production) const
{
    if (production.alternatives.size() == 1)
        return production.alternatives.front();
    // The frame's first module is at m_starts[m_top]; its current one, not yet passed, is next.
    const Frame& frame = m_frames[m_top];
    const auto offset = static_cast<std::uint64_t>(frame.next - frame.begin);
    return production.Chosen(
        ChoiceValue(m_seed, static_cast<std::int32_t>(m_top), m_starts[m_top] + offset));
}

void BookExpansion::Open(const BookSuccessor& successor, const double* parameters)
{
    ++m_top;
    const BookWordModule* const first = successor.modules.data();
    m_frames[m_top] = { first, first, first + successor.modules.size(), successor.arguments.data(),
        parameters };
    if (m_weighted) {
        const Closed& closed = m_closed[m_top];
        m_starts[m_top] = closed.place + (m_copied - closed.copied);
    }
}

void BookExpansion::Close()
{
    const Frame& frame = m_frames[m_top];
    m_closed[m_top]
        = { m_starts[m_top] + static_cast<std::uint64_t>(frame.end - frame.begin), m_copied };
}

} // namespace lsystem::book
