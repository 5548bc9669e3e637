#pragma once

#include "lsystem/book/book_expansion.h"
#include "lsystem/book/book_system.h"
#include "lsystem/book/book_turtle.h"
#include "lsystem/book/book_word.h"
#include "lsystem/book/book_word_cursor.h"
#include "lsystem/walk/canvas.h"
#include "lsystem/walk/draw_params.h"
#include "lsystem/walk/walk_style.h"
#include "lsystem/walk/word_walk.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lsystem::book {

// The pen a book figure starts with, in pixels, whatever the preset: "!(w)" widens it.
inline constexpr std::int32_t BookStartPenWidth = 1;

// A rule text that breaks the notation: the message is the parse error's Text().
class BookRulesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The system of an axiom and a rule text (lines of the notation, book_parser.h); raises
// BookRulesError where they break it.
BookSystem ParsedBookSystem(std::string_view axiom, std::string_view rules);

// The walk of a system in the book's notation (CommandSet::Book): params.Word is the axiom,
// params.BookRules the rule text, `count` (at most MaxDerivationLength) the rewriting steps and
// `seed` chooses among weighted alternatives. A context-free system streams its word from a
// BookExpansion, in memory that grows with the count only; a slice rewrites as many modules as
// it may walk, so that it returns after bounded work even where the rules produce nothing. A
// context-sensitive one is derived in memory first, a rewriting step at a time within the budget of
// Advance (each step costs the length of the word it reads), and past MaxWordModules ends with a
// BookDerivationError; its modules are then walked from a BookWordCursor. The turtle (BookTurtle)
// takes its step and angle from params and the colour 0 of its palette from the style, and starts
// with a pen BookStartPenWidth wide; it takes no random numbers, and neither the preset's pen,
// narrowing and turn nor params.RandomAmp apply: the figure's own "!" and ";" set its pen and
// colours. symbolsWalked() counts the modules handed to the turtle; symbolCount() is the word's
// length once it is known (a context-sensitive word once derived, any word once walked), UINT64_MAX
// before.
class BookWalk final : public WordWalk {
public:
    // Raises BookRulesError for a text that breaks the notation.
    BookWalk(std::string_view axiom, const DrawParams& params, const WalkStyle& style,
        std::int32_t count, std::uint32_t seed, Canvas& canvas);
    ~BookWalk() override;

    bool Advance(std::uint64_t budget) override;
    bool finished() const override { return m_finished; }
    std::uint64_t symbolsWalked() const override { return m_symbolsWalked; }
    std::uint64_t symbolCount() const override;
    std::uint64_t segmentsDrawn() const override { return m_turtle.segmentsDrawn(); }
    std::int32_t penWidth() const override { return m_turtle.penWidth(); }

private:
    // Derives the context-sensitive word on within `budget`, which it decreases; true once the
    // word is derived.
    bool Derive(std::uint64_t& budget);
    template <class Cursor> bool Hand(Cursor& cursor, std::uint64_t& budget);

    BookSystem m_system;
    std::int32_t m_count;
    std::uint32_t m_seed;
    BookTurtle m_turtle;
    std::unique_ptr<BookExpansion> m_expansion; // a context-free system's
    // A context-sensitive system's: the word after m_level steps, then its cursor.
    BookWord m_word;
    BookWord m_next;
    std::int32_t m_level = 0;
    std::optional<BookWordCursor> m_cursor;
    std::uint64_t m_wordSize = 0; // the derived word's, once the cursor holds it
    std::uint64_t m_symbolsWalked = 0;
    bool m_finished = false;
};

} // namespace lsystem::book
