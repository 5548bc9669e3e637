#pragma once

#include "lsystem/book/book_word.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace lsystem::book {

// The modules of a word held in memory (a context-sensitive system's derived word), handed as
// BookExpansion hands a context-free system's.
class BookWordCursor {
public:
    explicit BookWordCursor(BookWord word)
        : m_word(std::move(word))
    {
    }
    template <class Sink> bool Advance(std::uint64_t& modules, Sink& sink)
    {
        for (; m_next < m_word.size() && modules > 0; ++m_next, --modules)
            sink(m_word.symbols[m_next], m_word.ArgumentsOf(m_next), m_word.CountOf(m_next));
        return finished();
    }
    bool finished() const { return m_next == m_word.size(); }

private:
    BookWord m_word;
    std::size_t m_next = 0;
};

} // namespace lsystem::book
