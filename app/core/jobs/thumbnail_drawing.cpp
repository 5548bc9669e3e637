#include "app/core/jobs/thumbnail_drawing.h"

#include "lsystem/book/book_command.h"
#include "lsystem/commands/fractint_commands.h"
#include "lsystem/panel/symbols.h"
#include "lsystem/rules/rewriting.h"

#include <algorithm>

namespace app {

namespace {

constexpr plane::Rgb black { 0, 0, 0 };

// The symbols that draw a step in the turtle of `commands`.
lsystem::SymbolSet StepSymbols(lsystem::CommandSet commands)
{
    lsystem::SymbolSet steps;
    for (int byte = 0; byte < 256; ++byte) {
        const char symbol = static_cast<char>(byte);
        bool draws = false;
        switch (commands) {
        case lsystem::CommandSet::Panel:
            draws = lsystem::DrawsAStep(symbol);
            break;
        case lsystem::CommandSet::Fractint:
            draws = lsystem::FractintCommandOf(symbol) == lsystem::FractintCommand::DrawStep
                || lsystem::FractintCommandOf(symbol) == lsystem::FractintCommand::DrawDegreeStep;
            break;
        case lsystem::CommandSet::Book:
            draws = lsystem::book::BookCommandOf(symbol) == lsystem::book::BookCommand::Draw;
            break;
        }
        steps.set(static_cast<std::size_t>(byte), draws);
    }
    return steps;
}

PreparedWalk ThumbnailWalk(const PanelFields& fields, int size, std::uint64_t symbolBudget)
{
    const PreparedWalk walk = PrepareWalk(fields, black);
    return WalkAtCount(walk, fields.preset, ThumbnailCount(walk.params, size, symbolBudget), black);
}

} // namespace

std::int32_t ThumbnailCount(const lsystem::DrawParams& params, int size, std::uint64_t symbolBudget)
{
    // The book's rules are parametric and may depend on context: their words are not counted
    // without deriving them, so such a figure keeps its order and the symbol budget bounds it.
    if (params.Commands == lsystem::CommandSet::Book)
        return params.SubstCount;
    const lsystem::RuleTable rules(params.RuleF, params.RuleG, params.MoreRules);
    const lsystem::SymbolSet steps = StepSymbols(params.Commands);
    const auto pixels = static_cast<std::uint64_t>(size) * static_cast<std::uint64_t>(size);
    for (std::int32_t count = params.SubstCount; count > 0; --count) {
        if (lsystem::RewrittenCount(params.Word, rules, count, steps) <= pixels
            && lsystem::RewrittenLength(params.Word, rules, count) <= symbolBudget)
            return count;
    }
    return 0;
}

ThumbnailDrawing::ThumbnailDrawing(const PanelFields& fields, int size, std::uint64_t symbolBudget)
    : m_prepared(ThumbnailWalk(fields, size, symbolBudget))
    , m_seed(fields.seed.value_or(0))
    , m_size(size)
    , m_symbolBudget(symbolBudget)
    , m_plane(size)
{
    StartWalk(m_bounds);
}

ThumbnailDrawing::~ThumbnailDrawing() = default;

void ThumbnailDrawing::StartWalk(lsystem::Canvas& canvas)
{
    // Both walks take the same random numbers, so the drawing is the figure measured.
    m_random = lsystem::RandomGenerator(m_seed);
    m_walk = std::make_unique<lsystem::TurtleWalk>(
        m_prepared.params, m_prepared.style, m_random, canvas);
}

bool ThumbnailDrawing::Advance(std::uint64_t symbols)
{
    if (m_phase == Phase::Done)
        return true;
    const std::uint64_t left = m_symbolBudget - std::min(m_symbolBudget, m_walk->symbolsWalked());
    const bool ended = m_walk->Advance(std::min(symbols, left));
    const bool budgetSpent = m_walk->symbolsWalked() >= m_symbolBudget;
    if (!ended && !budgetSpent)
        return false;
    m_cutOff = m_cutOff || !ended;
    EndWalk();
    return finished();
}

void ThumbnailDrawing::EndWalk()
{
    if (m_phase == Phase::Draw) {
        m_walk.reset();
        m_phase = Phase::Done;
        return;
    }
    // A figure without extent (nothing drawn, or a single point) leaves the thumbnail white.
    const auto window = FitWindow(m_bounds.bounds());
    if (!window) {
        m_walk.reset();
        m_phase = Phase::Done;
        return;
    }
    m_plane.canvas().SetMapping(WindowMapping(*window, m_size));
    m_phase = Phase::Draw;
    StartWalk(m_plane.canvas());
}

} // namespace app
