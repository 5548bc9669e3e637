// Input: a count byte, then the axiom up to the first newline, then the rule text. Parsing ends
// in a system or an error with a row and column; a system is derived in memory step by step
// while its words stay short, and a context-free one must stream exactly the modules, argument
// bits included, that the derivation in memory holds, whatever slices it is taken in.

#include "fpu/floating_point_error.h"
#include "lsystem/book/book_derivation.h"
#include "lsystem/book/book_expansion.h"
#include "lsystem/book/book_parser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

using namespace lsystem::book;

// Longer words are not derived further, so that one input takes milliseconds.
constexpr std::size_t FuzzWordLimit = std::size_t { 1 } << 14;

bool SameBits(const BookWord& a, const BookWord& b)
{
    return a.symbols == b.symbols && a.starts == b.starts
        && (a.arguments.empty()
            || std::memcmp(
                   a.arguments.data(), b.arguments.data(), a.arguments.size() * sizeof(double))
                == 0);
}

void CompareStreamed(
    const BookSystem& system, const BookWord& plain, int levels, std::uint8_t slices)
{
    BookWord streamed;
    auto append = [&streamed](char symbol, const double* arguments, std::size_t count) {
        streamed.Append(symbol, arguments, count);
    };
    BookExpansion expansion(system, levels, slices);
    std::uint64_t slice = 1 + slices % 7;
    for (;;) {
        std::uint64_t modules = slice;
        if (expansion.Advance(modules, append))
            break;
        if (modules != 0 || streamed.size() > plain.size())
            std::abort();
    }
    if (!SameBits(streamed, plain))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int count = data[0] % 8;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t newline = text.find('\n');
    const std::string_view axiom = text.substr(0, newline);
    const std::string_view rules
        = newline == std::string_view::npos ? std::string_view {} : text.substr(newline + 1);
    const BookParse parse = ParseBookSystem(axiom, rules);
    if (!parse.system) {
        if (parse.error.column < 1 || parse.error.message.empty())
            std::abort();
        return 0;
    }
    const BookSystem& system = *parse.system;
    try {
        BookWord word = AxiomWord(system);
        BookWord next;
        int level = 0;
        for (; level < count && word.size() < FuzzWordLimit; ++level) {
            RewriteStep(system, word, next, level, data[0]);
            std::swap(word, next);
        }
        if (!system.contextSensitive)
            CompareStreamed(system, word, level, data[0]);
    } catch (const BookDerivationError&) {
    } catch (const fpu::FloatingPointError&) {
    }
    return 0;
}
