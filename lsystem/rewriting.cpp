#include "lsystem/rewriting.h"

#include "lsystem/symbols.h"

#include <cstring>
#include <limits>

namespace lsystem {

namespace {

constexpr std::uint64_t Saturated = std::numeric_limits<std::uint64_t>::max();

std::uint64_t AddSaturating(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t sum;
    return __builtin_add_overflow(a, b, &sum) ? Saturated : sum;
}

std::uint64_t MultiplySaturating(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t product;
    return __builtin_mul_overflow(a, b, &product) ? Saturated : product;
}

// How many "F", how many "G" and how many other symbols a word holds; each count saturates.
struct SymbolCounts {
    std::uint64_t f = 0;
    std::uint64_t g = 0;
    std::uint64_t other = 0;

    std::uint64_t length() const { return AddSaturating(AddSaturating(f, g), other); }
};

SymbolCounts Count(std::string_view text)
{
    SymbolCounts counts;
    for (const char symbol : text) {
        counts.f += symbol == 'F';
        counts.g += symbol == 'G';
    }
    counts.other = text.size() - counts.f - counts.g;
    return counts;
}

// The symbol counts one rewriting step makes of `word`: each "F" brings the symbols of
// ruleF, each "G" those of ruleG, and every other symbol itself.
SymbolCounts Step(const SymbolCounts& word, const SymbolCounts& ruleF, const SymbolCounts& ruleG)
{
    const auto brought = [&](std::uint64_t inF, std::uint64_t inG) {
        return AddSaturating(MultiplySaturating(word.f, inF), MultiplySaturating(word.g, inG));
    };
    return { brought(ruleF.f, ruleG.f), brought(ruleF.g, ruleG.g),
        AddSaturating(word.other, brought(ruleF.other, ruleG.other)) };
}

// Writes the rewritten form of `word` to `out`, which has room for exactly that many bytes.
// Runs of symbols that are neither "F" nor "G" are copied in one piece.
void RewriteInto(std::string_view word, char* out, std::string_view ruleF, std::string_view ruleG)
{
    const char* symbol = word.data();
    const char* const end = symbol + word.size();
    while (symbol != end) {
        const char* run = symbol;
        while (run != end && !IsRewritten(*run))
            ++run;
        const std::size_t copied = static_cast<std::size_t>(run - symbol);
        std::memcpy(out, symbol, copied);
        out += copied;
        if (run == end)
            break;
        const std::string_view rule = *run == 'F' ? ruleF : ruleG;
        std::memcpy(out, rule.data(), rule.size());
        out += rule.size();
        symbol = run + 1;
    }
}

} // namespace

void Substitute(
    const std::string& word, std::string& nextWord, std::string_view ruleF, std::string_view ruleG)
{
    const SymbolCounts counts = Count(word);
    const std::uint64_t length = Step(counts, Count(ruleF), Count(ruleG)).length();
    // The result is built apart when the caller passes one string as both word and nextWord.
    std::string aliased;
    std::string& result = &word == &nextWord ? aliased : nextWord;
    result.clear();
    result.resize(static_cast<std::size_t>(length));
    RewriteInto(word, result.data(), ruleF, ruleG);
    if (&result == &aliased)
        nextWord.swap(aliased);
}

std::uint64_t RewrittenLength(
    std::string_view axiom, std::string_view ruleF, std::string_view ruleG, std::int32_t count)
{
    const SymbolCounts inF = Count(ruleF);
    const SymbolCounts inG = Count(ruleG);
    SymbolCounts word = Count(axiom);
    for (std::int32_t step = 0; step < count && word.length() != Saturated; ++step)
        word = Step(word, inF, inG);
    return word.length();
}

} // namespace lsystem
