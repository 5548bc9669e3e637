#include "app/core/text/float_text.h"

#include "fpu/floating_point_error.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace app {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Appends the digits at text[pos...] to out and returns how many there were.
std::size_t TakeDigits(std::string_view text, std::size_t& pos, std::string& out)
{
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        out += text[pos++];
    return pos - start;
}

// Whether a number that std::from_chars found out of range was too large rather than too
// small: its first significant digit stands at a positive power of ten.
bool TooLarge(const std::string& plain)
{
    const std::size_t exponentAt = plain.find('e');
    const std::string mantissa = plain.substr(0, exponentAt);
    long long exponent = 0;
    if (exponentAt != std::string::npos) {
        std::string digits = plain.substr(exponentAt + 1);
        const bool negative = !digits.empty() && digits[0] == '-';
        if (!digits.empty() && (digits[0] == '-' || digits[0] == '+'))
            digits.erase(0, 1);
        // Exponents too long to hold only decide the direction.
        if (digits.size() > 15)
            return !negative;
        exponent = std::stoll(digits) * (negative ? -1 : 1);
    }
    const std::size_t point = mantissa.find('.');
    const std::size_t intEnd = point == std::string::npos ? mantissa.size() : point;
    const std::size_t first = mantissa.find_first_of("123456789");
    const long long position = first < intEnd ? static_cast<long long>(intEnd - first)
                                              : -static_cast<long long>(first - intEnd - 1);
    return position + exponent > 0;
}

// A number as TextToFloat reads it, with `separator` for its point: its digits in the C form
// that std::from_chars reads, its sign, and where its separator stands in the text.
struct NumberText {
    std::string plain;
    bool negative = false;
    std::size_t separatorAt = std::string_view::npos;
};

std::optional<NumberText> ReadNumberText(std::string_view text, std::string_view separator)
{
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;

    NumberText number;
    std::string& plain = number.plain;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        number.negative = text[pos++] == '-';
    std::size_t digits = TakeDigits(text, pos, plain);
    if (!separator.empty() && text.substr(pos).starts_with(separator)) {
        number.separatorAt = pos;
        pos += separator.size();
        plain += '.';
        digits += TakeDigits(text, pos, plain);
    }
    if (digits == 0)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        plain += 'e';
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            plain += text[pos++];
        if (TakeDigits(text, pos, plain) == 0)
            return std::nullopt;
    }
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos != text.size())
        return std::nullopt;
    return number;
}

} // namespace

std::optional<double> TextToFloat(std::string_view text)
{
    const std::optional<NumberText> number = ReadNumberText(text, ".");
    if (!number)
        return std::nullopt;
    const std::string& plain = number->plain;
    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (TooLarge(plain))
            throw fpu::FloatingPointError(fpu::Fault::Overflow);
        value = 0.0;
    }
    return number->negative ? -value : value;
}

std::string FloatToText(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return "0";
    char text[400]; // the longest fixed form of a double has 327 characters
    const auto [end, error]
        = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, error == std::errc {} ? end : text);
}

std::string ChangeSeparator(std::string_view text, std::string_view from, std::string_view to)
{
    const std::optional<NumberText> number = ReadNumberText(text, from);
    std::string changed(text);
    if (number && number->separatorAt != std::string_view::npos)
        changed.replace(number->separatorAt, from.size(), to);
    return changed;
}

} // namespace app
