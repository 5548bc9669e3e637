#include "lsystem/expansion.h"

#include <algorithm>
#include <utility>

namespace lsystem {

namespace {

bool IsRewritten(char symbol)
{
    return symbol == 'F' || symbol == 'G';
}

} // namespace

Expansion::Expansion(std::string axiom, std::string ruleF, std::string ruleG, std::int32_t count)
    : m_axiom(std::move(axiom))
    , m_ruleF(std::move(ruleF))
    , m_ruleG(std::move(ruleG))
    , m_lastLevel(static_cast<std::size_t>(std::max(count, 0)))
{
    m_levels.push_back({ m_axiom.data(), m_axiom.data() + m_axiom.size() });
}

std::string_view Expansion::NextRun(std::uint64_t& work)
{
    for (;;) {
        Cursor& cursor = m_levels.back();
        if (cursor.next == cursor.end) {
            if (m_levels.size() == 1)
                return {};
            m_levels.pop_back();
            continue;
        }
        if (m_levels.size() - 1 == m_lastLevel)
            return { cursor.next, static_cast<std::size_t>(cursor.end - cursor.next) };
        const char* const rewritten = std::find_if(cursor.next, cursor.end, IsRewritten);
        if (rewritten != cursor.next)
            return { cursor.next, static_cast<std::size_t>(rewritten - cursor.next) };
        if (work == 0)
            return {};
        --work;
        ++cursor.next;
        // An empty rule opens no level: its symbol just drops out of the word.
        const std::string& rule = *rewritten == 'F' ? m_ruleF : m_ruleG;
        if (!rule.empty())
            m_levels.push_back({ rule.data(), rule.data() + rule.size() });
    }
}

} // namespace lsystem
