#pragma once

#include "app/core/formats/lsystem_file_error.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace app {

// What a collection may hold; beyond these the reader says so and reads no further.
inline constexpr std::size_t MaxCollectionBytes = std::size_t { 8 } << 20;
inline constexpr std::size_t MaxCollectionEntries = 10000;
// Beyond these, an entry cannot be drawn.
inline constexpr std::size_t MaxCollectionLineLength = 4096;
inline constexpr std::size_t MaxFractintWordLength = 16384; // an axiom, or a rule whole
// "angle n" turns by 360/n degrees, n a whole number from 3 to 50: Fractint's own files use 50,
// and Fractint draws them.
inline constexpr std::int32_t MinAngleDivisions = 3;
inline constexpr std::int32_t MaxAngleDivisions = 50;

// A rule of a Fractint system: every `symbol` of a word becomes `replacement` (empty: deleted).
struct FractintRule {
    char symbol = 0;
    std::string replacement;

    friend bool operator==(const FractintRule&, const FractintRule&) = default;
};

// An entry of a collection that this program can draw with Fractint's turtle
// (lsystem::FractintTurtle). Its texts are upper case and printable ASCII without blanks.
struct FractintSystem {
    std::int32_t angleDivisions = 0; // the turns of "+" and "-" are 360 / angleDivisions degrees
    std::string axiom;
    std::vector<FractintRule> rules; // one for each symbol, in the order of their first lines

    friend bool operator==(const FractintSystem&, const FractintSystem&) = default;
};

// One entry, "Name { ... }": its name as written (UTF-8), the line it starts on, its comments
// (the ";" comment lines right before it, on its lines and between them, one a line, for a
// search), and its system or the first reason it cannot be drawn.
struct FractintEntry {
    std::string name;
    int line = 0;
    std::string comment;
    std::variant<FractintSystem, LSystemFileError> content;
};

// The entries of a collection, in order, and what was wrong outside them: text outside any
// entry, or the collection's size (line 0).
struct FractintCollection {
    std::vector<FractintEntry> entries;
    std::vector<LSystemFileError> faults;
};

// Reads a collection of Fractint L-systems (a ".l" file). Lines end in LF, CRLF or CR; ";" starts
// a comment. An entry is a name, "{", lines of statements and "}"; text after the "}" on its line
// is skipped. Statements, in any case (the text is folded to upper case, in which Fractint's
// commands F, G, D, M, C, @I and @Q are written and which puts an F rule in the panel's F
// field):
//   "ANGLE n", n from 3 to 50; "AXIOM word", a later one replacing an earlier one; "c=word", a
//   rule for the symbol c, where a later line for the same symbol continues its word and an empty
//   word deletes the symbol.
// A command without its number reads it as 0 (FractintNumber). An entry cannot be drawn, and says
// why, where a line is longer than MaxCollectionLineLength or holds control bytes, a statement
// holds other than ASCII or a blank within a word, a statement is none of the above or has more
// after it on its line, the angle or the axiom is missing or bad, the angle is given twice, a word
// is longer than MaxFractintWordLength, the "}" is missing (before the next entry or the end), or
// a rule is for a symbol the rewriting must leave alone: a turtle command (+ - | ! [ ] @ \ / C <
// >), a digit or point (the commands' numbers), I or Q where the entry writes it right after "@"
// (a prefix of its number), or "(" and ")", which the program's rules never rewrite. Names and
// comments may be UTF-8 or, failing that, are read as Latin-1.
FractintCollection ReadFractintCollection(std::string_view text);

} // namespace app
