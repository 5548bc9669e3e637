#pragma once

#include "app/core/formats/lsystem_file_error.h"
#include "app/core/record/panel_fields.h"

#include <string>
#include <string_view>
#include <variant>

namespace app {

// The first line of every L-system file: the format's name and version. A file with rules
// beyond the F and G fields is of version 2, so that versions of the program that know no such
// rules refuse it rather than draw the figure without them; a file for Fractint's turtle
// ("commands = fractint") is of version 3, since a reader of version 2 would skip that key and
// draw the word with the panel's; any other file is of version 1.
inline constexpr std::string_view LSystemFileHeader = "Lindenmayer L-system 1";
inline constexpr std::string_view LSystemFileHeaderWithRules = "Lindenmayer L-system 2";
inline constexpr std::string_view LSystemFileHeaderWithCommands = "Lindenmayer L-system 3";
// A file for the book's commands ("commands = book") is of version 4: its "rule" lines are in
// the book's notation, which a reader of version 3 would take for the panel's rules.
inline constexpr std::string_view LSystemFileHeaderWithBook = "Lindenmayer L-system 4";

// The fields read from a file, or why they could not be.
using LSystemParseResult = std::variant<PanelFields, LSystemFileError>;

// The fields as an L-system file: UTF-8 text, the header line, then one "key = value" line per
// field (axiom, rule-f, rule-g, angle, length, substitutions, random, x1, x2, y1, y2, preset),
// "commands = fractint" for Fractint's turtle, one "rule = " line per rule of moreRules, in
// order, as FormatRuleLine writes it ("rule = X -> F(+X)F"), and "seed = N" when the fields
// hold a seed. For the book's commands: "commands = book", then a line per line of bookRules
// in order, "define = NAME EXPR" for "define NAME EXPR", "ignore = SYMBOLS" for "ignore:
// SYMBOLS" and "rule = LINE" for any other (moreRules are not written); these values are
// texts as above.
// A text is written as it stands unless it is empty, begins or ends with a blank, begins with
// a quote, or holds a backslash, a control character or bytes that are not UTF-8: then it is
// quoted with the escapes \" \\ \n \t and \xHH, so that reading gives back the same bytes.
// The angle is written as it stands: the caller gives it with a point as decimal separator, so
// that the file reads the same under any locale.
// Raises RuleError for the first rule that cannot be drawn, and std::invalid_argument (or RuleError
// for a rule's replacement) for a text that holds a NUL byte: such a file could not be read back.
std::string FormatLSystem(const PanelFields& fields);

// Reads an L-system file of version 1 to 4. Lines end in LF, CRLF or CR; blank lines and lines
// starting with "#" are skipped; a line splits at its first "=" and blanks around key and value
// are dropped. Keys are matched without regard to ASCII case; unknown keys are skipped so that
// later versions may add some. Every key given sets its field; the others keep their values from
// `current`, but for moreRules, which holds the file's "rule" lines in order and nothing else,
// and commands, the panel's unless the file names another. In a file of version 4, "rule",
// "define" and "ignore" lines are read once the whole file is: into bookRules for the book's
// commands (and moreRules is then empty), else "rule" lines as before and "define" or
// "ignore" is an error; the count may then be up to MaxBookSubstitutions for the book's.
// An angle that is a number with a comma as decimal separator is kept with a point instead.
// Errors: a first line other than a header this program reads (a newer version is named), a
// line without "=" or key, text that is not UTF-8, a bad quoted value, a value that holds a NUL
// byte (as it stands or as "\x00"), a key other than "rule" given twice, a count that is not a
// whole number from 0 to 10, a preset that is not a caption of the panel, commands other than
// "panel", "fractint" or "book", a seed that is not a whole number from 0 to 4294967295, a rule
// that ReadRuleLine refuses.
LSystemParseResult ParseLSystem(std::string_view text, const PanelFields& current);

} // namespace app
