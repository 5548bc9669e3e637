#include "lsystem/fractint/fractint_walk.h"

#include <utility>

namespace lsystem {

namespace {

// Hands each symbol to the turtle; trivially copyable, so that the expansion keeps it in a
// register.
struct SymbolWalker {
    FractintTurtle* turtle;

    void operator()(char symbol) { turtle->Walk(symbol); }
    void operator()(const char*& next, const char*)
    {
        turtle->Walk(*next);
        ++next;
    }
};

} // namespace

FractintWalk::FractintWalk(RewrittenWord word, const DrawParams& params, Canvas& canvas)
    : m_symbolCount(WordLength(word))
    , m_expansion(std::move(word))
    , m_turtle(params, canvas)
{
}

bool FractintWalk::Advance(std::uint64_t budget)
{
    if (m_finished)
        return true;
    // Opening and dropping rules may take as many steps as symbols are asked for.
    std::uint64_t work = budget;
    std::uint64_t left = budget;
    SymbolWalker walker { &m_turtle };
    try {
        m_finished = m_expansion.Hand(left, work, walker);
        if (m_finished)
            m_turtle.EndWord();
    } catch (...) {
        m_symbolsWalked += budget - left;
        m_finished = true;
        throw;
    }
    m_symbolsWalked += budget - left;
    return m_finished;
}

} // namespace lsystem
