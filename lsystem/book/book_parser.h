#pragma once

#include "lsystem/book/book_error.h"
#include "lsystem/book/book_system.h"

#include <optional>
#include <string_view>

// The book's notation, a line each (rows count from 1; blank lines and lines starting with "#"
// are skipped):
//
//   define NAME EXPR                        a constant; EXPR may use the constants before it
//   ignore: SYMBOLS                         symbols the context matching passes over
//   [lc <] pred [> rc] [weight] [: cond] ARROW succ
//
// ARROW is "->", "-->" or "→"; the first "->" of the line is the arrow. pred is one module with
// formal parameters, A(x,y); lc and rc are one or more such modules (rc may hold "[" and "]");
// "<", ">" and ":" are no symbols on the left of the arrow. cond is an expression over the
// parameters, succ a word whose arguments are expressions. A weight is a positive number after a
// blank at the end of the part before ":"; consecutive weighted productions with the same left
// side and condition are alternatives of one production. A module is a printable ASCII symbol,
// not "(" or ")", with an optional list of arguments in brackets.
namespace lsystem::book {

struct BookParse {
    std::optional<BookSystem> system;
    BookParseError error; // set when there is no system
};

BookParse ParseBookSystem(std::string_view axiom, std::string_view rules);

} // namespace lsystem::book
