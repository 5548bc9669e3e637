#include "lsystem/rules/rewriting.h"

#include "lsystem/rules/saturating.h"

namespace lsystem {

namespace {

// How many of each symbol that has a rule a word holds (in the order of rules.symbols()), and
// how many other symbols of those counted; each count saturates. Symbols without a rule stay as
// they are, so those not counted need no count.
struct SymbolCounts {
    std::vector<std::uint64_t> ruled;
    std::uint64_t other = 0;

    // The symbols counted: `other` and the ruled symbols in `counted`.
    std::uint64_t total(const RuleTable& rules, const SymbolSet& counted) const
    {
        std::uint64_t sum = other;
        for (std::size_t i = 0; i < ruled.size(); ++i) {
            if (counted[static_cast<unsigned char>(rules.symbols()[i])])
                sum = AddSaturating(sum, ruled[i]);
        }
        return sum;
    }
};

SymbolCounts Count(std::string_view text, const RuleTable& rules, const SymbolSet& counted)
{
    const std::string& symbols = rules.symbols();
    SymbolCounts counts { std::vector<std::uint64_t>(symbols.size()), 0 };
    for (const char symbol : text) {
        if (rules.rewrites(symbol))
            ++counts.ruled[symbols.find(symbol)];
        else if (counted[static_cast<unsigned char>(symbol)])
            ++counts.other;
    }
    return counts;
}

// The symbol counts one rewriting step makes of `word`: each symbol that has a rule brings the
// symbols of its replacement (`brought`, in the order of the symbols), every other symbol itself.
SymbolCounts Step(const SymbolCounts& word, const std::vector<SymbolCounts>& brought)
{
    SymbolCounts next { std::vector<std::uint64_t>(word.ruled.size()), word.other };
    for (std::size_t from = 0; from < word.ruled.size(); ++from) {
        const std::uint64_t times = word.ruled[from];
        for (std::size_t to = 0; to < next.ruled.size(); ++to)
            next.ruled[to]
                = AddSaturating(next.ruled[to], MultiplySaturating(times, brought[from].ruled[to]));
        next.other = AddSaturating(next.other, MultiplySaturating(times, brought[from].other));
    }
    return next;
}

} // namespace

void Substitute(const std::string& word, std::string& nextWord, const RuleTable& rules,
    std::uint32_t seed, std::int32_t level)
{
    // The result is built apart when the caller passes one string as both word and nextWord.
    std::string result;
    const char* const begin = word.data();
    const char* const end = begin + word.size();
    const char* symbol = begin;
    while (symbol != end) {
        // A run of symbols without rules is copied in one piece.
        const char* run = symbol;
        while (run != end && !rules.rewrites(*run))
            ++run;
        result.append(symbol, run);
        if (run == end)
            break;
        result += rules.Replacement(*run, seed, level, static_cast<std::uint64_t>(run - begin));
        symbol = run + 1;
    }
    nextWord.swap(result);
}

std::string Rewrite(const RewrittenWord& word)
{
    const RuleTable rules = word.rules();
    std::string text = word.axiom;
    for (std::int32_t level = 0; level < word.count; ++level)
        Substitute(text, text, rules, word.seed, level);
    return text;
}

std::uint64_t RewrittenLength(std::string_view axiom, const RuleTable& rules, std::int32_t count)
{
    static const SymbolSet every = SymbolSet().set();
    return RewrittenCount(axiom, rules, count, every);
}

std::uint64_t RewrittenCount(
    std::string_view axiom, const RuleTable& rules, std::int32_t count, const SymbolSet& counted)
{
    std::vector<SymbolCounts> brought;
    for (const char symbol : rules.symbols())
        brought.push_back(Count(rules.First(symbol), rules, counted));
    SymbolCounts word = Count(axiom, rules, counted);
    for (std::int32_t step = 0; step < count && word.total(rules, counted) != Saturated; ++step)
        word = Step(word, brought);
    return word.total(rules, counted);
}

} // namespace lsystem
