#pragma once

#include "lsystem/rules/rewriting.h"
#include "lsystem/rules/rule_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

namespace lsystem {

// How the levels of a word are unfolded.
enum class Unfolding {
    // The plain walk's: the last levels folded into one where the word allows, and every symbol
    // with a rule opens a level.
    Folded,
    // Explore's: one level for each substitution, so that each level's symbols have their
    // count of substitutions still to make; a symbol whose rule rewrites it to itself is itself
    // at every level and has no rule.
    Levelled,
};

// The symbols of a rewritten word, in order, without building the word. One cursor per level
// reads the axiom (level 0) or a replacement: a symbol that has a rule, met above the last
// level, opens the next level on its replacement; every other symbol, and every symbol of the
// last level, is a symbol of the word. Folded, where no symbol has alternatives, the last level
// reads the replacements rewritten as often as keeps them within MaxFoldedLength, standing for
// that many levels. Where some have, each level's cursors know the place of their symbols in
// that level's word, which chooses the alternative (RuleTable::Replacement). Memory grows with
// the count only.
class Expansion {
public:
    static constexpr std::uint64_t MaxFoldedLength = 4096;

    explicit Expansion(RewrittenWord word, Unfolding unfolding = Unfolding::Folded);
    // The cursors point into the texts held here.
    Expansion(const Expansion&) = delete;
    Expansion& operator=(const Expansion&) = delete;

    // Hands the next symbols of the word to `walk` one by one, in order, until `symbols` (which
    // is decreased) have been handed, the word has ended or `work` has run out. Each symbol with
    // a rule read above the last level costs one unit of `work`, which is decreased, whether its
    // replacement opens a level or, being empty, drops out; leaving a level that has ended costs
    // nothing. Once the symbols are all handed, levels still open and end as far as the work
    // allows, up to the next symbol, so that a word whose last symbol was handed is seen to have
    // ended. A symbol counts as handed when `walk` returns; if it throws, the symbol stays next.
    // Symbols of the last level go to walk(next, stop), which walks one or more of the symbols
    // from `next` up to `stop`, moving `next` past each as it is walked, so that a run of them
    // may be walked in one go.
    // Returns finished(). A template, so that the walk of a symbol is compiled into the loop
    // over the symbols: most figures have a few symbols a rule, and a call a run of them costs
    // as much as walking them.
    template <class Walk> bool Hand(std::uint64_t& symbols, std::uint64_t& work, Walk& walk)
    {
        if constexpr (std::is_trivially_copyable_v<Walk>) {
            // A small walk is copied into a local for the loops, where the compiler can keep
            // its state in registers, and copied back on the way out.
            Walk local = walk;
            struct CopyBack {
                const Walk& local;
                Walk& walk;
                ~CopyBack() { walk = local; }
            } copyBack { local, walk };
            return HandWith(symbols, work, local);
        } else {
            return HandWith(symbols, work, walk);
        }
    }

    // Explore's walk of a Levelled expansion without alternatives: hands the symbols on as
    // Hand does, with one budget for both: each symbol read (of the word or with a rule) costs
    // one unit, and the budget is looked at before each symbol read and each level left, except
    // that a replacement of the last level, once opened, is handed whole at once. Before a
    // symbol with a rule opens its replacement, explorer.Opens(symbol, remaining) is told how
    // many substitutions remain to be made of it, and may pass its sub-figure over by returning
    // false. Returns true once the word has ended (with budget to spare to see it end); `taken`
    // grows by the symbols read, which may exceed the budget by a last replacement, unless the
    // explorer throws.
    template <class Explorer>
    bool Explore(std::uint64_t budget, std::uint64_t& taken, Explorer& explorer)
    {
        // Counted in locals, which the compiler keeps in registers across the explorer's calls.
        std::uint64_t beyond = 0;
        std::uint64_t work = budget;
        const bool ended = HandTo<true, false>(beyond, work, explorer);
        taken += (budget - work) + beyond;
        return ended;
    }

    bool finished() const
    {
        return m_levels.size() == 1 && m_levels.front().next == m_levels.front().end;
    }

    const RuleTable& rules() const { return m_rules; }

private:
    template <class Walk>
    [[gnu::always_inline]] bool HandWith(std::uint64_t& symbols, std::uint64_t& work, Walk& walk)
    {
        return m_rules.weighted() ? HandTo<false, true>(symbols, work, walk)
                                  : HandTo<false, false>(symbols, work, walk);
    }

    // The one unfolding of both walks. With Placed, the cursors keep their places and the
    // alternatives are chosen by them. With Explores, the walk is Explore's: `work` is its one
    // budget, `symbols` counts the symbols read beyond it, and `walk` has Opens().
    template <bool Explores, bool Placed, class Walk>
    [[gnu::always_inline]] bool HandTo(std::uint64_t& symbols, std::uint64_t& work, Walk& walk)
    {
        for (;;) {
            if constexpr (Explores) {
                if (work == 0)
                    return false;
            }
            Cursor& cursor = m_levels.back();
            if (cursor.next == cursor.end) {
                if (m_levels.size() == 1)
                    return true;
                if constexpr (Placed)
                    Close();
                m_levels.pop_back();
                continue;
            }
            // Explore never reads the last level: its replacements are handed whole as they
            // open, and at no substitution the axiom's symbols have no rule.
            if (!Explores && m_levels.size() - 1 == m_lastLevel) {
                if (symbols == 0)
                    return false;
                const std::size_t left = static_cast<std::size_t>(cursor.end - cursor.next);
                const char* const stop = cursor.next
                    + static_cast<std::size_t>(std::min<std::uint64_t>(left, symbols));
                const char* next = cursor.next;
                try {
                    while (next != stop)
                        walk(next, stop);
                } catch (...) {
                    symbols -= static_cast<std::uint64_t>(next - cursor.next);
                    cursor.next = next;
                    throw;
                }
                symbols -= static_cast<std::uint64_t>(next - cursor.next);
                cursor.next = next;
                continue;
            }
            const char symbol = *cursor.next;
            // Levelled, every level reads the rules as they are.
            const std::string* rule = !Explores && m_levels.size() == m_lastLevel
                ? m_last[static_cast<unsigned char>(symbol)]
                : m_next[static_cast<unsigned char>(symbol)];
            if (!rule) {
                if constexpr (Explores) {
                    --work;
                } else if (symbols == 0) {
                    return false;
                }
                walk(symbol);
                ++cursor.next;
                if constexpr (!Explores)
                    --symbols;
                if constexpr (Placed)
                    ++m_copied;
                continue;
            }
            if constexpr (!Explores) {
                if (work == 0)
                    return false;
            }
            --work;
            if constexpr (Placed)
                rule = &Chosen(symbol);
            ++cursor.next;
            if constexpr (Explores) {
                const auto remaining
                    = static_cast<std::int32_t>(m_lastLevel - (m_levels.size() - 1));
                if (!walk.Opens(symbol, remaining))
                    continue;
                if (remaining == 1) {
                    const std::uint64_t handed = rule->size();
                    const char* const end = rule->data() + handed;
                    for (const char* next = rule->data(); next != end;)
                        walk(next, end);
                    symbols += handed - std::min(handed, work);
                    work -= std::min(handed, work);
                    continue;
                }
            }
            // An empty replacement opens no level: its symbol just drops out of the word.
            if (!rule->empty()) {
                m_levels.push_back({ rule->data(), rule->data() + rule->size() });
                if constexpr (Placed)
                    Open();
            }
        }
    }

    struct Cursor {
        const char* next;
        const char* end;
    };

    // Whether every replacement of the symbol, which has a rule, is the symbol alone.
    bool RewritesToItself(char symbol) const;
    // The replacement chosen for the symbol at the last cursor's next.
    const std::string& Chosen(char symbol) const;
    // The cursor just opened starts at the place its level's word has reached; the last cursor,
    // as it closes, leaves its level's place after its replacement's last symbol.
    void Open();
    void Close();

    std::string m_axiom;
    RuleTable m_rules;
    std::uint32_t m_seed;
    std::array<std::string, 256> m_folded; // the replacements as the last level reads them
    // Each symbol's replacement as the levels above the last but one read it (none where it has
    // no rule), and as the last but one reads it.
    std::array<const std::string*, 256> m_next {};
    std::array<const std::string*, 256> m_last {};
    std::size_t m_lastLevel;
    std::vector<Cursor> m_levels; // the axiom's cursor first, the one being read last

    // Where the places are kept. A level's word is read in order, so a level with no open
    // cursor grows by one symbol for every symbol copied (handed from above the last level)
    // while it is closed: its place then is where it was when it closed, plus those.
    struct Placing {
        const char* begin; // the cursor's text
        std::uint64_t start; // the place of its first symbol
    };
    struct Closed {
        std::uint64_t place; // the place the level had reached when its last cursor closed
        std::uint64_t copied; // m_copied then
    };
    std::vector<Placing> m_placings; // one for each cursor
    std::vector<Closed> m_closed; // one for each level
    std::uint64_t m_copied = 0; // symbols handed from above the last level
};

// The length of the word, from the symbol counts or, where symbols have alternatives, by
// expanding it; saturates at UINT64_MAX.
std::uint64_t WordLength(const RewrittenWord& word);

} // namespace lsystem
