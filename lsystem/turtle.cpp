#include "lsystem/turtle.h"

#include "lsystem/book/book_derivation.h"
#include "lsystem/book/book_walk.h"
#include "lsystem/fractint/fractint_walk.h"
#include "lsystem/panel/branching_turtle.h"
#include "lsystem/panel/panel_command_lookup.h"
#include "lsystem/panel/symbols.h"
#include "lsystem/panel/trig_lookahead.h"
#include "lsystem/rules/expansion.h"
#include "lsystem/rules/rewriting.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace lsystem {

namespace {

// The panel's walk: the expansion hands the word over symbol by symbol; the turtle walks each as
// it comes.
class PanelWalk final : public WordWalk {
public:
    PanelWalk(RewrittenWord word, const DrawParams& params, const WalkStyle& style,
        RandomGenerator& random, Canvas& canvas)
        : m_symbolCount(WordLength(word))
        , m_lookahead(StartLookahead(word, params, random.seed()))
        , m_expansion(std::move(word))
        , m_turtle(params, style, random, canvas)
    {
        m_turtle.SetLookahead(m_lookahead.get());
    }

    bool Advance(std::uint64_t budget) override
    {
        if (m_finished)
            return true;
        // Opening and dropping rules may take as many steps as symbols are asked for.
        std::uint64_t work = budget;
        std::uint64_t left = budget;
        SymbolWalker walker { this, m_narrowingDue };
        m_turtle.BeginBatches();
        try {
            m_finished = m_expansion.Hand(left, work, walker);
        } catch (...) {
            m_turtle.FlushBatch();
            m_symbolsWalked += budget - left;
            m_finished = true;
            throw;
        }
        m_turtle.FlushBatch();
        m_symbolsWalked += budget - left;
        m_narrowingDue = walker.narrowingDue;
        return m_finished;
    }

    bool finished() const override { return m_finished; }
    std::uint64_t symbolsWalked() const override { return m_symbolsWalked; }
    std::uint64_t symbolCount() const override { return m_symbolCount; }
    std::int32_t penWidth() const override { return m_turtle.penWidth(); }
    std::uint64_t segmentsDrawn() const override { return m_turtle.segmentsDrawn(); }

private:
    // Walks the symbols the expansion hands over on the turtle, inlined into the expansion's
    // loops: a call would cost as much as most symbols do. Trivially copyable, so that the
    // expansion keeps it in registers.
    struct SymbolWalker {
        PanelWalk* impl;
        // A drawn step narrows the pen when the symbol after it does not draw; that symbol may
        // come from another rule, so the narrowing waits for it.
        bool narrowingDue;

        [[gnu::always_inline]] void operator()(char symbol)
        {
            WalkCommand(impl->m_commandOf(symbol), *this);
        }
        [[gnu::always_inline]] void operator()(const char*& next, const char* stop)
        {
            impl->WalkFrom(next, stop, *this);
        }

        [[gnu::always_inline]] void Step()
        {
            impl->m_turtle.DrawStep();
            narrowingDue = true;
        }
        [[gnu::always_inline]] void EndRun()
        {
            if (narrowingDue) {
                narrowingDue = false;
                impl->m_turtle.Narrow();
            }
        }
        void Move() { impl->m_turtle.MoveStep(); }
        void TurnLeft() { impl->m_turtle.TurnLeft(); }
        void TurnRight() { impl->m_turtle.TurnRight(); }
        void OpenBranch() { impl->m_turtle.OpenBranch(); }
        void CloseBranch() { impl->m_turtle.CloseBranch(); }
    };

    // Walks a run of drawing symbols in one go where the turtle can, else the next symbol.
    [[gnu::always_inline]] void WalkFrom(const char*& next, const char* stop, SymbolWalker& walker)
    {
        const PanelCommand command = m_commandOf(*next);
        if (m_turtle.drawsRuns() && command == PanelCommand::Step && stop - next > 1
            && m_commandOf(next[1]) == PanelCommand::Step) {
            const char* end = next + 2;
            while (end != stop && m_commandOf(*end) == PanelCommand::Step)
                ++end;
            // The run's first symbol draws, so a narrowing due before it lapses.
            walker.narrowingDue = false;
            try {
                m_turtle.DrawRun(static_cast<std::size_t>(end - next));
            } catch (...) {
                next += m_turtle.runStepsDrawn();
                throw;
            }
            next = end;
            walker.narrowingDue = true;
            return;
        }
        WalkCommand(command, walker);
        ++next;
    }

    // A perturbed walk long enough to be worth a thread has its sines and cosines worked out
    // ahead of it.
    std::unique_ptr<TrigLookahead> StartLookahead(
        const RewrittenWord& word, const DrawParams& params, std::uint32_t seed) const
    {
        static const bool severalCores = std::thread::hardware_concurrency() > 1;
        if (params.RandomAmp == 0.0 || m_symbolCount < LookaheadSymbols || !severalCores)
            return nullptr;
        try {
            return std::make_unique<TrigLookahead>(word, params.Angle, params.RandomAmp, seed);
        } catch (const std::system_error&) {
            // Without a thread the walk works its sines and cosines out itself.
            return nullptr;
        }
    }
    static constexpr std::uint64_t LookaheadSymbols = 100000;

    const PanelCommandLookup m_commandOf;
    const std::uint64_t m_symbolCount;
    std::unique_ptr<TrigLookahead> m_lookahead;
    Expansion m_expansion;
    BranchingTurtle m_turtle;
    std::uint64_t m_symbolsWalked = 0;
    bool m_narrowingDue = false;
    bool m_finished = false;
};

std::unique_ptr<WordWalk> WalkOf(RewrittenWord word, const DrawParams& params,
    const WalkStyle& style, RandomGenerator& random, Canvas& canvas)
{
    switch (params.Commands) {
    case CommandSet::Panel:
        break;
    case CommandSet::Fractint:
        return std::make_unique<FractintWalk>(std::move(word), params, canvas);
    case CommandSet::Book:
        return std::make_unique<book::BookWalk>(
            word.axiom, params, style, word.count, word.seed, canvas);
    }
    return std::make_unique<PanelWalk>(std::move(word), params, style, random, canvas);
}

} // namespace

RewrittenWord WordOf(const DrawParams& params, std::uint32_t seed)
{
    return { params.Word, params.RuleF, params.RuleG, params.SubstCount, params.MoreRules, seed };
}

std::uint64_t WalkLength(const DrawParams& params, std::uint32_t seed)
{
    if (params.Commands != CommandSet::Book)
        return WordLength(WordOf(params, seed));
    const book::BookSystem system = book::ParsedBookSystem(params.Word, params.BookRules);
    const std::int32_t count = std::clamp(params.SubstCount, 0, book::MaxDerivationLength);
    if (system.contextSensitive)
        return book::DeriveWord(system, count, seed).size();
    std::uint64_t modules = std::numeric_limits<std::uint64_t>::max();
    auto skip = [](char, const double*, std::size_t) {};
    book::BookExpansion(system, count, seed).Advance(modules, skip);
    return std::numeric_limits<std::uint64_t>::max() - modules;
}

TurtleWalk::TurtleWalk(
    const DrawParams& params, const WalkStyle& style, RandomGenerator& random, Canvas& canvas)
    : TurtleWalk(WordOf(params, random.seed()), params, style, random, canvas)
{
}

TurtleWalk::TurtleWalk(RewrittenWord word, const DrawParams& params, const WalkStyle& style,
    RandomGenerator& random, Canvas& canvas)
    : m_walk(WalkOf(std::move(word), params, style, random, canvas))
{
}

TurtleWalk::~TurtleWalk() = default;

bool TurtleWalk::Advance(std::uint64_t budget)
{
    return m_walk->Advance(budget);
}

bool TurtleWalk::finished() const
{
    return m_walk->finished();
}

std::uint64_t TurtleWalk::symbolsWalked() const
{
    return m_walk->symbolsWalked();
}

std::uint64_t TurtleWalk::symbolCount() const
{
    return m_walk->symbolCount();
}

std::uint64_t TurtleWalk::segmentsDrawn() const
{
    return m_walk->segmentsDrawn();
}

std::int32_t TurtleWalk::penWidth() const
{
    return m_walk->penWidth();
}

std::int32_t DrawWord(const std::string& word, const DrawParams& params, const WalkStyle& style,
    RandomGenerator& random, Canvas& canvas)
{
    TurtleWalk walk({ word, {}, {}, 0, {}, 0 }, params, style, random, canvas);
    while (!walk.Advance(std::numeric_limits<std::uint64_t>::max())) { }
    return walk.penWidth();
}

} // namespace lsystem
