#pragma once

#include "lsystem/book/book_system.h"
#include "lsystem/book/book_word.h"

#include <cstddef>
#include <cstdint>

namespace lsystem::book {

// The most modules a word derived in memory may hold.
inline constexpr std::size_t MaxWordModules = std::size_t { 1 } << 24;

// The axiom's word.
BookWord AxiomWord(const BookSystem& system);

// One parallel rewriting step of `from`, the word after `level` steps, into `to`: each module
// takes the first production whose symbol, parameter count, contexts (read in `from`) and
// condition match, and among weighted alternatives the one ChoiceValue(seed, level, place)
// picks; a module no production matches is copied. Past MaxWordModules, a
// BookDerivationError names the step (level + 1) and the size.
void RewriteStep(
    const BookSystem& system, const BookWord& from, BookWord& to, int level, std::uint32_t seed);

// The word after `count` steps (at most MaxDerivationLength) from the axiom.
BookWord DeriveWord(const BookSystem& system, int count, std::uint32_t seed);

} // namespace lsystem::book
