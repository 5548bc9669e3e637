#include "lsystem/book/book_context.h"

#include <algorithm>

namespace lsystem::book {
namespace {

bool Ignored(const std::array<bool, 256>& ignored, char symbol)
{
    return ignored[static_cast<unsigned char>(symbol)];
}

bool Fits(const BookWord& word, std::size_t place, const BookPattern& pattern)
{
    return word.symbols[place] == pattern.symbol && word.CountOf(place) == pattern.parameterCount;
}

} // namespace

std::vector<std::int64_t> BracketPartners(const BookWord& word)
{
    const auto size = static_cast<std::int64_t>(word.size());
    std::vector<std::int64_t> partners(word.size(), 0);
    std::vector<std::int64_t> open;
    for (std::int64_t i = 0; i < size; ++i) {
        const char symbol = word.symbols[static_cast<std::size_t>(i)];
        if (symbol == '[') {
            open.push_back(i);
            partners[static_cast<std::size_t>(i)] = size;
        } else if (symbol == ']') {
            if (open.empty()) {
                partners[static_cast<std::size_t>(i)] = -1;
            } else {
                partners[static_cast<std::size_t>(i)] = open.back();
                partners[static_cast<std::size_t>(open.back())] = i;
                open.pop_back();
            }
        }
    }
    return partners;
}

bool MatchLeft(const BookWord& word, const std::vector<std::int64_t>& partners, std::size_t place,
    const std::vector<BookPattern>& context, const std::array<bool, 256>& ignored, double* slots)
{
    std::size_t parameters = 0;
    for (const BookPattern& pattern : context)
        parameters += pattern.parameterCount;
    double* end = slots + parameters;
    auto j = static_cast<std::int64_t>(place) - 1;
    for (auto pattern = context.rbegin(); pattern != context.rend(); ++pattern) {
        for (;;) {
            if (j < 0)
                return false;
            const char symbol = word.symbols[static_cast<std::size_t>(j)];
            if (Ignored(ignored, symbol) || symbol == '[')
                --j;
            else if (symbol == ']')
                j = partners[static_cast<std::size_t>(j)] - 1;
            else
                break;
        }
        const auto at = static_cast<std::size_t>(j);
        if (!Fits(word, at, *pattern))
            return false;
        end -= pattern->parameterCount;
        std::copy_n(word.ArgumentsOf(at), pattern->parameterCount, end);
        --j;
    }
    return true;
}

bool MatchRight(const BookWord& word, const std::vector<std::int64_t>& partners, std::size_t place,
    const std::vector<BookPattern>& context, const std::array<bool, 256>& ignored, double* slots)
{
    const auto size = static_cast<std::int64_t>(word.size());
    auto j = static_cast<std::int64_t>(place) + 1;
    const auto symbolAt = [&](std::int64_t i) { return word.symbols[static_cast<std::size_t>(i)]; };
    for (const BookPattern& pattern : context) {
        if (pattern.symbol == '[') {
            while (j < size && Ignored(ignored, symbolAt(j)))
                ++j;
            if (j >= size || symbolAt(j) != '[')
                return false;
            ++j;
            continue;
        }
        if (pattern.symbol == ']') {
            while (j < size && symbolAt(j) != ']')
                j = symbolAt(j) == '[' ? partners[static_cast<std::size_t>(j)] + 1 : j + 1;
            if (j >= size)
                return false;
            ++j;
            continue;
        }
        for (;;) {
            if (j >= size)
                return false;
            const char symbol = symbolAt(j);
            if (Ignored(ignored, symbol))
                ++j;
            else if (symbol == '[')
                j = partners[static_cast<std::size_t>(j)] + 1;
            else if (symbol == ']')
                return false;
            else
                break;
        }
        const auto at = static_cast<std::size_t>(j);
        if (!Fits(word, at, pattern))
            return false;
        slots = std::copy_n(word.ArgumentsOf(at), pattern.parameterCount, slots);
        ++j;
    }
    return true;
}

} // namespace lsystem::book
