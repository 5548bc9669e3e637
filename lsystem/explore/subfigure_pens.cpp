#include "lsystem/explore/subfigure_pens.h"

#include "lsystem/panel/symbols.h"

#include <algorithm>
#include <limits>
#include <string>

namespace lsystem {

namespace {

std::uint64_t SaturatingSum(std::uint64_t a, std::uint64_t b)
{
    return std::min(a + b, SubfigurePen::MaxNarrowings); // both at most 2^32: no wrap
}

// A single symbol walked by the turtle: a step makes a narrowing due, anything else ends the
// run. Brackets alone are never known: they open or close a branch beyond themselves.
SubfigurePen PlainSymbol(char symbol)
{
    SubfigurePen pen;
    pen.known = symbol != '(' && symbol != ')';
    pen.draws = DrawsAStep(symbol);
    pen.steps = pen.draws ? 1.0 : 0.0;
    for (const bool due : { false, true }) {
        SubfigurePen::Effect& effect = pen.effect[due];
        effect.dueAtEnd = pen.draws;
        effect.narrowings = !pen.draws && due ? 1 : 0;
    }
    return pen;
}

// The pen of one replacement, its symbols' pens one after another; brackets save and restore
// the narrowings made so far, as the turtle saves and restores its width.
SubfigurePen Composed(const std::string& replacement, const SubfigurePen* const (&below)[256])
{
    SubfigurePen pen;
    pen.known = true;
    std::vector<std::uint64_t> saved;
    for (const bool startDue : { false, true }) {
        bool due = startDue;
        std::uint64_t narrowings = 0;
        saved.clear();
        for (const char symbol : replacement) {
            if (symbol == '(' || symbol == ')') {
                narrowings = SaturatingSum(narrowings, due ? 1 : 0);
                due = false;
                if (symbol == '(') {
                    saved.push_back(narrowings);
                } else if (saved.empty()) {
                    return {};
                } else {
                    narrowings = saved.back();
                    saved.pop_back();
                }
                continue;
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

SubfigurePens::SubfigurePens(const RuleTable& rules, std::int32_t maxRemaining)
{
    m_slot.fill(-1);
    for (int symbol = 0; symbol < 256; ++symbol)
        m_plain[static_cast<std::size_t>(symbol)] = PlainSymbol(static_cast<char>(symbol));
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
            m_levels.push_back(Composed(rules.First(symbol), below));
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

std::int32_t SubfigurePens::Narrowed(
    std::int32_t width, std::int32_t narrowing, std::uint64_t narrowings)
{
    // Both factors are within 2^32, so the product and the difference fit in 64 bits.
    const std::int64_t narrowed = std::int64_t { width }
        - std::int64_t { narrowing } * static_cast<std::int64_t>(narrowings);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(narrowed,
        std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace lsystem
