#pragma once

#include "lsystem/symbols.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

namespace lsystem {

// The symbols of the word that `count` rewriting steps make of an axiom, in order, without
// building the word. One cursor per level reads the axiom (level 0) or a rule's text: an "F" or
// a "G" met above the last level opens the next level on its rule; every other symbol, and every
// symbol of the last level, is a symbol of the word. The last level reads the rules rewritten as
// often as keeps them within MaxFoldedLength, standing for that many levels. Memory grows with
// the count only.
class Expansion {
public:
    static constexpr std::uint64_t MaxFoldedLength = 4096;

    Expansion(std::string axiom, std::string ruleF, std::string ruleG, std::int32_t count);
    // The cursors point into the texts held here.
    Expansion(const Expansion&) = delete;
    Expansion& operator=(const Expansion&) = delete;

    // Hands the next symbols of the word to `walk` one by one, in order, until `symbols` (which
    // is decreased) have been handed, the word has ended or `work` has run out. Each "F" or "G"
    // read above the last level costs one unit of `work`, which is decreased, whether its rule
    // opens a level or, being empty, drops out; leaving a level that has ended costs nothing.
    // Once the symbols are all handed, levels still open and end as far as the work allows, up
    // to the next symbol, so that a word whose last symbol was handed is seen to have ended.
    // A symbol counts as handed when `walk` returns; if it throws, the symbol stays next.
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
            return HandTo(symbols, work, local);
        } else {
            return HandTo(symbols, work, walk);
        }
    }

    bool finished() const
    {
        return m_levels.size() == 1 && m_levels.front().next == m_levels.front().end;
    }

private:
    template <class Walk>
    [[gnu::always_inline]] bool HandTo(std::uint64_t& symbols, std::uint64_t& work, Walk& walk)
    {
        for (;;) {
            Cursor& cursor = m_levels.back();
            if (cursor.next == cursor.end) {
                if (m_levels.size() == 1)
                    return true;
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
            if (!IsRewritten(symbol)) {
                if (symbols == 0)
                    return false;
                walk(symbol);
                ++cursor.next;
                --symbols;
                continue;
            }
            if (work == 0)
                return false;
            --work;
            ++cursor.next;
            // An empty rule opens no level: its symbol just drops out of the word.
            const bool last = m_levels.size() == m_lastLevel;
            const std::string& rule
                = symbol == 'F' ? (last ? m_lastF : m_ruleF) : (last ? m_lastG : m_ruleG);
            if (!rule.empty())
                m_levels.push_back({ rule.data(), rule.data() + rule.size() });
        }
    }

    struct Cursor {
        const char* next;
        const char* end;
    };

    std::string m_axiom;
    std::string m_ruleF;
    std::string m_ruleG;
    std::string m_lastF; // the rules as the last level reads them
    std::string m_lastG;
    std::size_t m_lastLevel;
    std::vector<Cursor> m_levels; // the axiom's cursor first, the one being read last
};

} // namespace lsystem
