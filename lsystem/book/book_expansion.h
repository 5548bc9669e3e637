#pragma once

#include "lsystem/book/book_system.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lsystem::book {

// The modules of a context-free system's derived word, in order, without building the word: as
// lsystem::Expansion, one frame per level reads the axiom (level 0) or a successor, and a module
// above the last level that a production matches opens the next level on its successor. A
// frame's arguments are computed from the parameters of the module it replaces, which its parent
// level keeps in a row of MaxArguments values; memory grows with the count only. Weighted
// alternatives are chosen by ChoiceValue(seed, level, place) from each module's place in its
// level's word, exactly as a derivation in memory chooses them.
class BookExpansion {
public:
    // The system must be context-free (contexts need the whole word) and outlive the expansion.
    BookExpansion(const BookSystem& system, int count, std::uint32_t seed);

    // Hands the next modules to sink(symbol, arguments, count), in order, until `modules` (which
    // is decreased) have been handed or the word has ended; the arguments stay valid during the
    // call only, and a module counts as handed once the sink is called. Returns finished(). A
    // domain error of an expression is a BookDerivationError and leaves the expansion where it was,
    // before the module whose arguments failed.
    template <class Sink> bool Advance(std::uint64_t& modules, Sink& sink)
    {
        std::uint64_t work = UINT64_MAX;
        return Advance(modules, work, sink);
    }
    // The same, rewriting or closing at most `work` (which is decreased) modules and frames
    // besides: a call returns after bounded work even where the rules produce nothing.
    template <class Sink> bool Advance(std::uint64_t& modules, std::uint64_t& work, Sink& sink)
    {
        for (;;) {
            Frame& frame = m_frames[m_top];
            if (frame.next == frame.end) {
                if (m_top == 0)
                    return true;
                if (work == 0)
                    return false;
                --work;
                if (m_weighted)
                    Close();
                --m_top;
                continue;
            }
            const BookWordModule& module = *frame.next;
            double* const row = &m_rows[m_top * MaxArguments];
            for (std::size_t a = 0; a < module.count; ++a)
                row[a] = frame.arguments[module.first + a].Evaluate(frame.parameters);
            if (m_top < m_count) {
                if (const BookProduction* production = Matching(module.symbol, row, module.count)) {
                    if (work == 0)
                        return false;
                    --work;
                    const BookSuccessor& successor = Successor(*production);
                    ++frame.next;
                    if (!successor.modules.empty())
                        Open(successor, row);
                    continue;
                }
            }
            if (modules == 0)
                return false;
            ++frame.next;
            if (m_weighted && m_top < m_count)
                ++m_copied;
            --modules;
            sink(module.symbol, static_cast<const double*>(row),
                static_cast<std::size_t>(module.count));
        }
    }

    bool finished() const { return m_top == 0 && m_frames[0].next == m_frames[0].end; }

private:
    struct Frame {
        const BookWordModule* begin;
        const BookWordModule* next;
        const BookWordModule* end;
        const BookExpression* arguments;
        const double* parameters;
    };

    const BookProduction* Matching(char symbol, const double* arguments, std::size_t count) const
    {
        for (const std::uint32_t index : m_system.ProductionsOf(symbol)) {
            const BookProduction& production = m_system.productions[index];
            if (production.parameterCount == count
                && (!production.conditional || production.condition.Evaluate(arguments) != 0.0))
                return &production;
        }
        return nullptr;
    }
    const BookSuccessor& Successor(const BookProduction& production) const;
    void Open(const BookSuccessor& successor, const double* parameters);
    void Close();

    const BookSystem& m_system;
    std::size_t m_count;
    std::uint32_t m_seed;
    bool m_weighted;
    std::vector<Frame> m_frames; // one a level, the axiom's first
    std::size_t m_top = 0; // the level being read
    std::vector<double> m_rows; // MaxArguments values a level: its current module's arguments

    // The places of weighted systems, kept as lsystem::Expansion keeps them.
    struct Closed {
        std::uint64_t place = 0; // the place the level had reached when its last frame closed
        std::uint64_t copied = 0; // m_copied then
    };
    std::vector<std::uint64_t> m_starts; // the place of each open frame's first module
    std::vector<Closed> m_closed;
    std::uint64_t m_copied = 0; // modules handed from above the last level
};

} // namespace lsystem::book
