#include "lsystem/explore/subfigure_pens.h"

#include <algorithm>
#include <string>

namespace lsystem {

namespace {

std::uint64_t SaturatingSum(std::uint64_t a, std::uint64_t b)
{
    return std::min(a + b, SubfigurePen::MaxNarrowings); // both at most 2^32: no wrap
}

// A single symbol walked by the turtle: a step makes a narrowing due, anything else ends the
// run. Brackets alone are never known: they open or close a branch beyond themselves.
SubfigurePen PlainSymbol(const SymbolEffect& effect)
{
    SubfigurePen pen;
    pen.known = true;
    switch (effect.kind) {
    case EffectKind::Step:
        pen.draws = true;
        pen.steps = 1.0;
        pen.effect = { { { 0, true }, { 0, true } } };
        return pen;
    case EffectKind::Open:
    case EffectKind::Close:
        pen.known = false;
        break;
    case EffectKind::None:
    case EffectKind::Move:
    case EffectKind::Turn:
        break;
    }
    pen.effect = { { { 0, false }, { 1, false } } };
    return pen;
}

// The pen of one replacement, its symbols' pens one after another; brackets save and restore
// the narrowings made so far, as the turtle saves and restores its width.
SubfigurePen Composed(const std::string& replacement, const SymbolEffects& effects,
    const SubfigurePen* const (&below)[256])
{
    SubfigurePen pen;
    pen.known = true;
    std::vector<std::uint64_t> saved;
    for (const bool startDue : { false, true }) {
        bool due = startDue;
        std::uint64_t narrowings = 0;
        saved.clear();
        const auto endRun = [&] {
            narrowings = SaturatingSum(narrowings, due ? 1 : 0);
            due = false;
        };
        for (const char symbol : replacement) {
            switch (effects[static_cast<unsigned char>(symbol)].kind) {
            case EffectKind::Open:
                endRun();
                saved.push_back(narrowings);
                continue;
            case EffectKind::Close:
                endRun();
                if (saved.empty())
                    return {};
                narrowings = saved.back();
                saved.pop_back();
                continue;
            case EffectKind::None:
            case EffectKind::Step:
            case EffectKind::Move:
            case EffectKind::Turn:
                break; // as the symbol's sub-figure one level down
            }
            const SubfigurePen& child = *below[static_cast<unsigned char>(symbol)];
            if (!child.known)
                return {};
            pen.draws = pen.draws || child.draws;
            if (startDue)
                pen.steps += child.steps;
            narrowings = SaturatingSum(narrowings, child.effect[due].narrowings);
            due = child.effect[due].dueAtEnd;
        }
        if (!saved.empty())
            return {};
        pen.effect[startDue] = { narrowings, due };
    }
    return pen;
}

} // namespace

SubfigurePens::SubfigurePens(
    const RuleTable& rules, std::int32_t maxRemaining, const SymbolEffects& effects)
{
    m_slot.fill(-1);
    for (int symbol = 0; symbol < 256; ++symbol)
        m_plain[static_cast<std::size_t>(symbol)]
            = PlainSymbol(effects[static_cast<std::size_t>(symbol)]);
    const std::string& symbols = rules.symbols();
    m_symbols = symbols.size();
    for (std::size_t slot = 0; slot < m_symbols; ++slot)
        m_slot[static_cast<unsigned char>(symbols[slot])] = static_cast<std::int16_t>(slot);
    const std::int32_t levels = std::max(maxRemaining, 0) + 1;
    // Reserved in full: each level's look-ups point into the levels below while it grows.
    m_levels.reserve(m_symbols * static_cast<std::size_t>(levels));
    for (const char symbol : symbols)
        m_levels.push_back(m_plain[static_cast<unsigned char>(symbol)]);
    const SubfigurePen* below[256];
    for (std::int32_t level = 1; level < levels; ++level) {
        for (int symbol = 0; symbol < 256; ++symbol)
            below[symbol] = &Of(static_cast<char>(symbol), level - 1);
        for (const char symbol : symbols)
            m_levels.push_back(Composed(rules.First(symbol), effects, below));
    }
}

const SubfigurePen& SubfigurePens::Of(char symbol, std::int32_t remaining) const
{
    const std::int16_t slot = m_slot[static_cast<unsigned char>(symbol)];
    if (slot < 0)
        return m_plain[static_cast<unsigned char>(symbol)];
    return m_levels[static_cast<std::size_t>(remaining) * m_symbols
        + static_cast<std::size_t>(slot)];
}

} // namespace lsystem
