#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace expr {

// Case folds of the ASCII letters alone, the same in every locale: names, keys and commands
// are compared and folded by these; every other byte (UTF-8's included) stays as it is.

constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiLowerText(std::string_view text)
{
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), AsciiLower);
    return lower;
}

inline std::string AsciiUpperText(std::string_view text)
{
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), AsciiUpper);
    return upper;
}

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, {}, AsciiLower, AsciiLower);
}

} // namespace expr
