#pragma once

#include "lsystem/book/book_system.h"
#include "lsystem/book/book_word.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Context matching in a bracketed word, as the book defines it. Symbols of the ignore list are
// passed over. A left context is read leftwards from the module before the predecessor: a whole
// branch ("[...]") to its left is skipped, and the "[" that opens the predecessor's own branch
// is passed, so the context continues with the module the branch grows from. A right context is
// read rightwards: a "[" in the context enters a branch, a "]" in the context skips the rest of
// the branch it is in; a module of the context skips whole branches before it, and a "]" of the
// word, which ends the predecessor's branch, ends the match as a failure.
namespace lsystem::book {

// For each "[" of the word the place of its "]" and for each "]" that of its "[" (the other
// modules' entries are unused); an unclosed "[" points past the end, an unopened "]" before the
// start (-1).
std::vector<std::int64_t> BracketPartners(const BookWord& word);

// Whether the left context holds for the module at `place`; its modules' arguments are written
// to `slots`, in the order written.
bool MatchLeft(const BookWord& word, const std::vector<std::int64_t>& partners, std::size_t place,
    const std::vector<BookPattern>& context, const std::array<bool, 256>& ignored, double* slots);

bool MatchRight(const BookWord& word, const std::vector<std::int64_t>& partners, std::size_t place,
    const std::vector<BookPattern>& context, const std::array<bool, 256>& ignored, double* slots);

} // namespace lsystem::book
