#include "lsystem/book/book_derivation.h"

#include "lsystem/book/book_context.h"
#include "lsystem/rules/rule_table.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace lsystem::book {
namespace {

// Room for every slot a production can bind, its own parameters and its contexts'.
class Slots {
public:
    double* Reserve(std::size_t count)
    {
        if (m_values.size() < count)
            m_values.resize(count);
        return m_values.data();
    }

private:
    std::vector<double> m_values;
};

std::size_t LeftParameters(const BookProduction& production)
{
    std::size_t count = 0;
    for (const BookPattern& pattern : production.left)
        count += pattern.parameterCount;
    return count;
}

void AppendSuccessor(const BookSuccessor& successor, const double* slots, BookWord& to)
{
    std::array<double, MaxArguments> values;
    for (const BookWordModule& module : successor.modules) {
        for (std::size_t a = 0; a < module.count; ++a)
            values[a] = successor.arguments[module.first + a].Evaluate(slots);
        to.Append(module.symbol, values.data(), module.count);
    }
}

} // namespace

BookWord AxiomWord(const BookSystem& system)
{
    BookWord word;
    AppendSuccessor(system.axiom, nullptr, word);
    return word;
}

void RewriteStep(
    const BookSystem& system, const BookWord& from, BookWord& to, int level, std::uint32_t seed)
{
    to.Clear();
    std::vector<std::int64_t> partners;
    if (system.contextSensitive)
        partners = BracketPartners(from);
    Slots slotRoom;
    for (std::size_t place = 0; place < from.size(); ++place) {
        const char symbol = from.symbols[place];
        const std::size_t count = from.CountOf(place);
        const BookProduction* chosen = nullptr;
        double* slots = nullptr;
        for (const std::uint32_t index : system.ProductionsOf(symbol)) {
            const BookProduction& production = system.productions[index];
            if (production.parameterCount != count)
                continue;
            slots = slotRoom.Reserve(production.parameters.size());
            std::copy_n(from.ArgumentsOf(place), count, slots);
            if (!production.left.empty()
                && !MatchLeft(
                    from, partners, place, production.left, system.ignored, slots + count))
                continue;
            if (!production.right.empty()
                && !MatchRight(from, partners, place, production.right, system.ignored,
                    slots + count + LeftParameters(production)))
                continue;
            if (production.conditional && production.condition.Evaluate(slots) == 0.0)
                continue;
            chosen = &production;
            break;
        }
        if (!chosen)
            to.Append(symbol, from.ArgumentsOf(place), count);
        else
            AppendSuccessor(
                chosen->Chosen(
                    chosen->alternatives.size() == 1 ? 0.0 : ChoiceValue(seed, level, place)),
                slots, to);
        if (to.size() > MaxWordModules)
            throw BookDerivationError("Step " + std::to_string(level + 1) + ": the word grows past "
                + std::to_string(MaxWordModules) + " modules.");
    }
}

BookWord DeriveWord(const BookSystem& system, int count, std::uint32_t seed)
{
    BookWord word = AxiomWord(system);
    BookWord next;
    for (int level = 0; level < std::min(count, MaxDerivationLength); ++level) {
        RewriteStep(system, word, next, level, seed);
        std::swap(word, next);
    }
    return word;
}

} // namespace lsystem::book
