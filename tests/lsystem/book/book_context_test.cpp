#include "book_text.h"

#include "lsystem/book/book_derivation.h"

#include <gtest/gtest.h>

namespace {

using lsystem::book::DeriveWord;

struct ContextRow {
    const char* name;
    const char* axiom;
    const char* rules;
    const char* expected; // the word after one step
};

// Each row's production turns the module it matches into X (or a computed B), so the step shows
// which modules the contexts matched.
TEST(BookContext, MatchesBracketedWords)
{
    const ContextRow rows[] = {
        { "left skips a sibling branch", "A[B]C", "A < C -> X", "A[B]X" },
        { "left reaches the parent from a branch", "A[B]C", "A < B -> X", "A[X]C" },
        { "left reaches the parent from a nested branch", "A[B[C]D]", "B < D -> X", "A[B[C]X]" },
        { "left skips nested branches", "A[B[C]D]E", "A < E -> X", "A[B[C]D]X" },
        { "left never looks into a branch", "A[B]C", "B < C -> X", "A[B]C" },
        { "right skips a branch", "A[B]C", "A > C -> X", "X[B]C" },
        { "right ends at the branch's ]", "A[B]C", "B > C -> X", "A[B]C" },
        { "right ends with the word", "AB", "B > C -> X", "AB" },
        { "right enters a branch by [", "A[B]C", "A > [B]C -> X", "X[B]C" },
        { "right [ needs a branch there", "ABC", "A > [B]C -> X", "ABC" },
        { "the book's BC < S > G[H]M", "ABC[DE][SG[HI[JK]L]MNO]", "BC < S > G[H]M -> X",
            "ABC[DE][XG[HI[JK]L]MNO]" },
        { "multi-module left, in order", "ABC", "AB < C -> X", "ABX" },
        { "multi-module left, wrong order", "ABC", "BA < C -> X", "ABC" },
        { "ignored symbols passed", "A+B-C", "ignore: +-\nA < B > C -> X", "A+X-C" },
        { "not ignored, they block", "A+B-C", "A < B > C -> X", "A+B-C" },
        { "ignored symbols inside skipped branches", "A[+B]+C", "ignore: +\nA < C -> X",
            "A[+B]+X" },
        { "parameters from both contexts", "A(1)B(2)C(3)", "A(x) < B(y) > C(z) -> B(x+y+z)",
            "A(1)B(6)C(3)" },
        { "a context's parameter count must match", "A(1,2)B", "A(x) < B -> X", "A(1,2)B" },
        { "first matching production wins", "AB", "A < B -> X\nB -> Y", "AX" },
        { "context-free fallback after a failed context", "B", "A < B -> X\nB -> Y", "Y" },
        { "contexts read the previous word", "ABB", "A < B -> A", "AAB" },
    };
    for (const ContextRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto system = book_test::Parsed(row.axiom, row.rules);
        EXPECT_EQ(book_test::Text(DeriveWord(system, 1, 0)), row.expected);
    }
}

} // namespace
