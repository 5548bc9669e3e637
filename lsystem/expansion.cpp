#include "lsystem/expansion.h"

#include "lsystem/rewriting.h"

#include <utility>

namespace lsystem {

Expansion::Expansion(std::string axiom, std::string ruleF, std::string ruleG, std::int32_t count)
    : m_axiom(std::move(axiom))
    , m_ruleF(std::move(ruleF))
    , m_ruleG(std::move(ruleG))
    , m_lastF(m_ruleF)
    , m_lastG(m_ruleG)
{
    // The last levels are folded into one while the rules rewritten that often stay short:
    // each level folded away spares the opening and leaving of a level for every rule it read.
    std::size_t levels = static_cast<std::size_t>(std::max(count, 0));
    const auto foldsShort = [this](const std::string& text) {
        return text.size() <= MaxFoldedLength
            && RewrittenLength(text, m_ruleF, m_ruleG, 1) <= MaxFoldedLength;
    };
    while (levels > 1 && foldsShort(m_lastF) && foldsShort(m_lastG)) {
        Substitute(m_lastF, m_lastF, m_ruleF, m_ruleG);
        Substitute(m_lastG, m_lastG, m_ruleF, m_ruleG);
        --levels;
    }
    m_lastLevel = levels;
    m_levels.push_back({ m_axiom.data(), m_axiom.data() + m_axiom.size() });
}

} // namespace lsystem
