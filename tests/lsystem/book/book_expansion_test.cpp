#include "book_text.h"

#include "lsystem/book/book_derivation.h"
#include "lsystem/book/book_expansion.h"
#include "lsystem/book/book_word_cursor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

using lsystem::book::BookExpansion;
using lsystem::book::BookSystem;
using lsystem::book::BookWord;
using lsystem::book::DeriveWord;

// A random context-free parametric system over A, B, F, +, [ and ]: modules of zero to two
// arguments, conditions on the first parameter, weighted alternatives now and then.
std::string RandomRules(std::mt19937& random)
{
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* arguments[] = { "(x+1)", "(x*0.5)", "(x-2,x*x)", "(1.5)", "", "(x,-x)" };
    const char* symbols = "ABF+[]";
    std::string rules;
    for (const char symbol : std::string("ABF")) {
        for (int production = 0, count = 1 + pick(3); production < count; ++production) {
            const bool weighted = pick(4) == 0;
            const std::string condition = production + 1 == count ? ""
                : pick(2) ? " : x < " + std::to_string(pick(5))
                          : " : x >= 1 and x != 3";
            for (int alternative = 0; alternative < (weighted ? 2 : 1); ++alternative) {
                rules += symbol;
                rules += "(x)";
                if (weighted)
                    rules += " " + std::to_string(1 + pick(3));
                rules += condition;
                rules += " -> ";
                for (int module = 0, length = pick(6); module < length; ++module) {
                    const char s = symbols[pick(6)];
                    rules += s;
                    if (s == 'A' || s == 'B' || s == 'F')
                        rules += pick(5) ? "(x+1)" : "(x*0.5)";
                    else if (s == '+')
                        rules += arguments[pick(6)];
                }
                rules += '\n';
            }
        }
    }
    return rules;
}

// A cursor's modules, taken in slices of random sizes, as a word.
template <class Cursor> BookWord Streamed(Cursor& cursor, std::mt19937& random)
{
    BookWord word;
    auto append = [&word](char symbol, const double* arguments, std::size_t size) {
        word.Append(symbol, arguments, size);
    };
    for (;;) {
        std::uint64_t slice = random() % 3 == 0 ? UINT64_MAX : random() % 50;
        if (cursor.Advance(slice, append))
            break;
    }
    return word;
}

BookWord Streamed(const BookSystem& system, int count, std::uint32_t seed, std::mt19937& random)
{
    BookExpansion expansion(system, count, seed);
    return Streamed(expansion, random);
}

bool SameBits(const BookWord& a, const BookWord& b)
{
    return a.symbols == b.symbols && a.starts == b.starts
        && (a.arguments.empty()
            || std::memcmp(
                   a.arguments.data(), b.arguments.data(), a.arguments.size() * sizeof(double))
                == 0);
}

// The streamed unfolding module for module against the plain rewriting of the whole word.
TEST(BookExpansion, MatchesPlainRewriting)
{
    std::mt19937 random(20261208);
    int compared = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const std::string rules = RandomRules(random);
        const auto system = book_test::Parsed("A(1)B(2)[F(0)A(3)]", rules);
        const int count = static_cast<int>(random() % 6);
        const std::uint32_t seed = static_cast<std::uint32_t>(random());
        BookWord plain = lsystem::book::AxiomWord(system);
        BookWord next;
        int level = 0;
        for (; level < count && plain.size() < 20000; ++level) {
            lsystem::book::RewriteStep(system, plain, next, level, seed);
            std::swap(plain, next);
        }
        SCOPED_TRACE(rules);
        EXPECT_TRUE(SameBits(Streamed(system, level, seed, random), plain));
        lsystem::book::BookWordCursor held(plain);
        EXPECT_TRUE(SameBits(Streamed(held, random), plain));
        compared += plain.size() > 1;
    }
    EXPECT_GT(compared, 100);
}

// An expression's failure leaves the expansion before the module it was computing.
TEST(BookExpansion, FailureKeepsItsPlace)
{
    const auto system = book_test::Parsed("A(2)", "A(x) -> F(x)B(1/(x-2))");
    BookExpansion expansion(system, 1, 0);
    std::string symbols;
    auto collect = [&symbols](char symbol, const double*, std::size_t) { symbols += symbol; };
    std::uint64_t modules = 10;
    EXPECT_THROW(expansion.Advance(modules, collect), lsystem::book::BookDerivationError);
    EXPECT_EQ(symbols, "F");
    EXPECT_THROW(expansion.Advance(modules, collect), lsystem::book::BookDerivationError);
    EXPECT_EQ(symbols, "F");
    EXPECT_EQ(modules, 9u);
}

} // namespace
