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

// The symbols of a rewritten word, in order, without building the word. One cursor per level
// reads the axiom (level 0) or a replacement: a symbol that has a rule, met above the last
// level, opens the next level on its replacement; every other symbol, and every symbol of the
// last level, is a symbol of the word. Where no symbol has alternatives, the last level reads
// the replacements rewritten as often as keeps them within MaxFoldedLength, standing for that
// many levels. Where some have, each level's cursors know the place of their symbols in that
// level's word, which chooses the alternative (RuleTable::Replacement). Memory grows with the
// count only.
class Expansion {
public:
    static constexpr std::uint64_t MaxFoldedLength = 4096;

    explicit Expansion(RewrittenWord word);
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

    bool finished() const
    {
        return m_levels.size() == 1 && m_levels.front().next == m_levels.front().end;
    }

private:
    template <class Walk>
    [[gnu::always_inline]] bool HandWith(std::uint64_t& symbols, std::uint64_t& work, Walk& walk)
    {
        return m_rules.weighted() ? HandTo<true>(symbols, work, walk)
                                  : HandTo<false>(symbols, work, walk);
    }

    // With Placed, the cursors keep their places and the alternatives are chosen by them.
    template <bool Placed, class Walk>
    [[gnu::always_inline]] bool HandTo(std::uint64_t& symbols, std::uint64_t& work, Walk& walk)
    {
        for (;;) {
            Cursor& cursor = m_levels.back();
            if (cursor.next == cursor.end) {
                if (m_levels.size() == 1)
                    return true;
                if constexpr (Placed)
                    Close();
                m_levels.pop_back();
                continue;
            }
            if (m_levels.size() - 1 == m_lastLevel) {
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
            const std::string* rule = m_levels.size() == m_lastLevel
                ? m_last[static_cast<unsigned char>(symbol)]
                : m_next[static_cast<unsigned char>(symbol)];
            if (!rule) {
                if (symbols == 0)
                    return false;
                walk(symbol);
                ++cursor.next;
                --symbols;
                if constexpr (Placed)
                    ++m_copied;
                continue;
            }
            if (work == 0)
                return false;
            --work;
            if constexpr (Placed)
                rule = &Chosen(symbol);
            ++cursor.next;
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
