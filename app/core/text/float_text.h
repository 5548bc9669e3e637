#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

// Reads a real number as the program holds it: optional blanks, an optional sign, digits with
// at most one point, an optional exponent ("E" or "e", an optional sign, digits) and optional
// blanks. Anything else gives no value. A number beyond the double range raises the overflow
// fault; one too small for a double becomes 0.
std::optional<double> TextToFloat(std::string_view text);

// The shortest plain number (no exponent, which the expressions do not take) that reads back as
// exactly `value`; "0" for either zero and for a value that is not finite.
std::string FloatToText(double value);

// A number that TextToFloat would read if `from` stood in the place of its point, written with
// `to` there instead; any other text as it is. `from` and `to` may be several bytes of UTF-8.
// L-system files of older versions may hold the angle with a comma; the panel shows it with the
// user's own mark.
std::string ChangeSeparator(std::string_view text, std::string_view from, std::string_view to);

} // namespace app
