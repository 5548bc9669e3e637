#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace app {

// Texts as L-system files and rule lines write them: as they stand where reading gives back the
// same bytes, else in quotes with the escapes \" \\ \n \t and \xHH.

// A quoted text that cannot be read; the message is a clause ("unknown escape \"\\q\"").
class QuotedTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool IsBlank(char c);

// A byte below 0x20, or DEL.
bool IsControl(char c);

// Appends the byte as the escape \xHH (upper-case digits).
void AppendHexEscape(std::string& out, unsigned char byte);

// The text without the blanks at either end.
std::string_view Trim(std::string_view text);

// The length of the well-formed UTF-8 sequence at `at` (no overlong forms, surrogates or values
// beyond U+10FFFF), or 0 where none starts.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);
bool IsUtf8(std::string_view text);

// The text in quotes, every byte that is not printable UTF-8 escaped.
std::string Quote(std::string_view text);

// The start of a text, quoted, for a message: the whole when it is short, else its first bytes
// and "...".
std::string Excerpt(std::string_view text);

// Whether a value must be quoted to read back as the same bytes: it is empty, begins or ends
// with a blank, begins with a quote, or holds a backslash, a control character or bytes that are
// not UTF-8.
bool NeedsQuotes(std::string_view text);

// The value as it stands, or quoted where NeedsQuotes says so.
std::string Encode(std::string_view text);

// A quoted text at the start of `text`, which begins with '"': the bytes it stands for and how
// many bytes of `text` it takes up to its closing quote. Raises QuotedTextError for an unknown
// escape, a "\x" without two hexadecimal digits or a missing closing quote.
struct QuotedPrefix {
    std::string text;
    std::size_t length = 0;
};
QuotedPrefix ReadQuoted(std::string_view text);

// A value written by Encode: quoted when it begins with '"' (nothing may follow the closing
// quote), else as it stands. Raises QuotedTextError.
std::string Decode(std::string_view value);

} // namespace app
