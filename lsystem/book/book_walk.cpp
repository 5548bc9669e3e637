#include "lsystem/book/book_walk.h"

#include "lsystem/book/book_derivation.h"
#include "lsystem/book/book_parser.h"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <utility>

namespace lsystem::book {

BookSystem ParsedBookSystem(std::string_view axiom, std::string_view rules)
{
    BookParse parse = ParseBookSystem(axiom, rules);
    if (!parse.system)
        throw BookRulesError(parse.error.Text());
    return std::move(*parse.system);
}

BookWalk::BookWalk(std::string_view axiom, const DrawParams& params, const WalkStyle& style,
    std::int32_t count, std::uint32_t seed, Canvas& canvas)
    : m_system(ParsedBookSystem(axiom, params.BookRules))
    , m_count(std::clamp(count, 0, MaxDerivationLength))
    , m_seed(seed)
    , m_turtle(params.StepLength, params.Angle, BookStartPenWidth, style.colour, canvas)
{
    if (m_system.contextSensitive)
        m_word = AxiomWord(m_system);
    else
        m_expansion = std::make_unique<BookExpansion>(m_system, m_count, m_seed);
}

BookWalk::~BookWalk() = default;

std::uint64_t BookWalk::symbolCount() const
{
    if (m_finished)
        return m_symbolsWalked;
    if (m_cursor)
        return m_wordSize;
    return std::numeric_limits<std::uint64_t>::max();
}

bool BookWalk::Derive(std::uint64_t& budget)
{
    while (m_level < m_count) {
        if (budget == 0)
            return false;
        RewriteStep(m_system, m_word, m_next, m_level, m_seed);
        std::swap(m_word, m_next);
        m_next.Clear();
        ++m_level;
        budget -= std::min<std::uint64_t>(budget, std::max<std::size_t>(m_word.size(), 1));
    }
    return true;
}

template <class Cursor> bool BookWalk::Hand(Cursor& cursor, std::uint64_t& budget)
{
    std::uint64_t left = budget;
    BookTurtle& turtle = m_turtle;
    auto walk = [&turtle](char symbol, const double* arguments, std::size_t count) {
        turtle.Walk(symbol, arguments, count);
    };
    try {
        if constexpr (std::is_same_v<Cursor, BookExpansion>) {
            // Rewriting and closing may take as many steps as modules are asked for.
            std::uint64_t work = budget;
            m_finished = cursor.Advance(left, work, walk);
        } else {
            m_finished = cursor.Advance(left, walk);
        }
    } catch (...) {
        m_symbolsWalked += budget - left;
        m_finished = true;
        throw;
    }
    m_symbolsWalked += budget - left;
    budget = left;
    return m_finished;
}

bool BookWalk::Advance(std::uint64_t budget)
{
    if (m_finished)
        return true;
    if (m_expansion)
        return Hand(*m_expansion, budget);
    if (!m_cursor) {
        try {
            if (!Derive(budget))
                return false;
        } catch (...) {
            m_finished = true;
            throw;
        }
        m_wordSize = m_word.size();
        m_cursor.emplace(std::move(m_word));
        m_next = {};
    }
    return Hand(*m_cursor, budget);
}

} // namespace lsystem::book
