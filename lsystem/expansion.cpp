#include "lsystem/expansion.h"

#include <utility>

namespace lsystem {

Expansion::Expansion(std::string axiom, std::string ruleF, std::string ruleG, std::int32_t count)
    : m_axiom(std::move(axiom))
    , m_ruleF(std::move(ruleF))
    , m_ruleG(std::move(ruleG))
    , m_lastLevel(static_cast<std::size_t>(std::max(count, 0)))
{
    m_levels.push_back({ m_axiom.data(), m_axiom.data() + m_axiom.size() });
}

} // namespace lsystem
