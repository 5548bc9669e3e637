#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

// Reads a real number written the way the user's locale writes it: optional blanks, an optional
// sign, digits with at most one decimal separator (the locale's, which may be several bytes of
// UTF-8), an optional exponent ("E" or "e", an optional sign, digits) and optional blanks.
// Anything else gives no value. A number beyond the double range raises the overflow fault; one
// too small for a double becomes 0.
std::optional<double> TextToFloat(std::string_view text, std::string_view decimalSeparator);

// A number that TextToFloat reads with the separator `from`, written with `to` instead; any other
// text as it is. L-system files hold the angle with a point, the panel shows it with the user's
// separator.
std::string ChangeDecimalSeparator(
    std::string_view text, std::string_view from, std::string_view to);

} // namespace app
