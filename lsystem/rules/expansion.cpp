#include "lsystem/rules/expansion.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace lsystem {

Expansion::Expansion(RewrittenWord word, Unfolding unfolding)
    : m_axiom(std::move(word.axiom))
    , m_rules(word.rules())
    , m_seed(word.seed)
{
    // Where no substitution is made, no symbol has a rule.
    for (const char symbol : m_rules.symbols()) {
        const auto index = static_cast<unsigned char>(symbol);
        if (word.count <= 0 || (unfolding == Unfolding::Levelled && RewritesToItself(symbol)))
            continue;
        m_folded[index] = m_rules.First(symbol);
        m_next[index] = &m_rules.First(symbol);
        m_last[index] = &m_folded[index];
    }
    // The last levels are folded into one while the replacements rewritten that often stay
    // short: each level folded away spares the opening and leaving of a level for every
    // replacement it read. Alternatives are chosen by place, so where there are some, every
    // level is read as it stands.
    std::size_t levels = static_cast<std::size_t>(std::max(word.count, 0));
    const auto foldsShort = [this] {
        for (const char symbol : m_rules.symbols()) {
            const std::string& text = m_folded[static_cast<unsigned char>(symbol)];
            if (text.size() > MaxFoldedLength
                || RewrittenLength(text, m_rules, 1) > MaxFoldedLength)
                return false;
        }
        return true;
    };
    while (unfolding == Unfolding::Folded && !m_rules.weighted() && levels > 1 && foldsShort()) {
        for (const char symbol : m_rules.symbols()) {
            std::string& text = m_folded[static_cast<unsigned char>(symbol)];
            Substitute(text, text, m_rules, m_seed, 0);
        }
        --levels;
    }
    m_lastLevel = levels;
    m_levels.push_back({ m_axiom.data(), m_axiom.data() + m_axiom.size() });
    if (m_rules.weighted()) {
        m_placings.push_back({ m_axiom.data(), 0 });
        m_closed.resize(m_lastLevel + 1, { 0, 0 });
    }
}

bool Expansion::RewritesToItself(char symbol) const
{
    const std::vector<std::string>& replacements = m_rules.Replacements(symbol);
    return std::all_of(replacements.begin(), replacements.end(),
        [symbol](const std::string& text) { return text.size() == 1 && text[0] == symbol; });
}

const std::string& Expansion::Chosen(char symbol) const
{
    const Cursor& cursor = m_levels.back();
    const Placing& placing = m_placings.back();
    const std::uint64_t place
        = placing.start + static_cast<std::uint64_t>(cursor.next - placing.begin);
    return m_rules.Replacement(
        symbol, m_seed, static_cast<std::int32_t>(m_levels.size() - 1), place);
}

void Expansion::Open()
{
    const Closed& closed = m_closed[m_levels.size() - 1];
    m_placings.push_back({ m_levels.back().next, closed.place + (m_copied - closed.copied) });
}

void Expansion::Close()
{
    const Placing& placing = m_placings.back();
    m_closed[m_levels.size() - 1]
        = { placing.start + static_cast<std::uint64_t>(m_levels.back().end - placing.begin),
              m_copied };
    m_placings.pop_back();
}

std::uint64_t WordLength(const RewrittenWord& word)
{
    const RuleTable rules = word.rules();
    if (!rules.weighted())
        return RewrittenLength(word.axiom, rules, word.count);
    struct Counter {
        std::uint64_t symbols = 0;
        void operator()(char) { ++symbols; }
        void operator()(const char*& next, const char* stop)
        {
            symbols += static_cast<std::uint64_t>(stop - next);
            next = stop;
        }
    } counter;
    Expansion expansion(word);
    std::uint64_t symbols = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t work = std::numeric_limits<std::uint64_t>::max();
    expansion.Hand(symbols, work, counter);
    return counter.symbols;
}

} // namespace lsystem
