#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lsystem {

// The symbols of the word that `count` rewriting steps make of an axiom, in order, without
// building the word. One cursor per level reads the axiom (level 0) or a rule's text: an "F" or
// a "G" met above the last level opens the next level on its rule; every other symbol, and every
// symbol of the last level, is a symbol of the word. Memory grows with the count only.
class Expansion {
public:
    Expansion(std::string axiom, std::string ruleF, std::string ruleG, std::int32_t count);
    // The cursors point into the texts held here.
    Expansion(const Expansion&) = delete;
    Expansion& operator=(const Expansion&) = delete;

    // The next symbols of the word that stand in one text, at least one; on the last level the
    // rest of its rule at once. Each "F" or "G" read above the last level costs one unit of
    // `work`, which is decreased, whether its rule opens a level or, being empty, drops out;
    // leaving a level that has ended costs nothing. The result is empty when the word has ended
    // (finished()) or the work ran out first. The symbols stay next until Consume() passes them.
    std::string_view NextRun(std::uint64_t& work);

    // Passes the first `symbols` of the run NextRun() gave last.
    void Consume(std::size_t symbols) { m_levels.back().next += symbols; }

    bool finished() const
    {
        return m_levels.size() == 1 && m_levels.front().next == m_levels.front().end;
    }

private:
    struct Cursor {
        const char* next;
        const char* end;
    };

    std::string m_axiom;
    std::string m_ruleF;
    std::string m_ruleG;
    std::size_t m_lastLevel;
    std::vector<Cursor> m_levels; // the axiom's cursor first, the one being read last
};

} // namespace lsystem
