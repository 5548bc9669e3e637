#include "app/core/text/quoted_text.h"

#include <algorithm>

namespace app {

namespace {

constexpr std::size_t excerptLength = 40; // bytes of a text quoted in a message

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

void AppendHexEscape(std::string& out, unsigned char byte)
{
    constexpr std::string_view digits = "0123456789ABCDEF";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (text.size() - at < length || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const std::size_t length = Utf8SequenceLength(text, i);
        if (c == '"' || c == '\\')
            out += { '\\', c };
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (length == 0 || IsControl(c))
            AppendHexEscape(out, static_cast<unsigned char>(c));
        else
            out += text.substr(i, length);
        i += std::max<std::size_t>(length, 1);
    }
    return out + '"';
}

std::string Excerpt(std::string_view text)
{
    if (text.size() <= excerptLength)
        return Quote(text);
    std::size_t cut = excerptLength;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return Quote(text.substr(0, cut)) + "...";
}

bool NeedsQuotes(std::string_view text)
{
    return text.empty() || IsBlank(text.front()) || IsBlank(text.back()) || text.front() == '"'
        || std::ranges::any_of(text, [](char c) { return c == '\\' || IsControl(c); })
        || !IsUtf8(text);
}

std::string Encode(std::string_view text)
{
    return NeedsQuotes(text) ? Quote(text) : std::string(text);
}

QuotedPrefix ReadQuoted(std::string_view quoted)
{
    QuotedPrefix read;
    std::string& text = read.text;
    for (std::size_t i = 1; i < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"') {
            read.length = i + 1;
            return read;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i == quoted.size())
            break;
        switch (quoted[i]) {
        case '"':
        case '\\':
            text += quoted[i];
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'x': {
            const int high = i + 1 < quoted.size() ? HexDigitValue(quoted[i + 1]) : -1;
            const int low = i + 2 < quoted.size() ? HexDigitValue(quoted[i + 2]) : -1;
            if (high < 0 || low < 0)
                throw QuotedTextError("\"\\x\" must be followed by two hexadecimal digits");
            text += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            throw QuotedTextError("unknown escape \"\\" + std::string(1, quoted[i]) + "\"");
        }
    }
    throw QuotedTextError("the quoted value has no closing quote");
}

std::string Decode(std::string_view value)
{
    if (value.empty() || value.front() != '"')
        return std::string(value);
    QuotedPrefix read = ReadQuoted(value);
    if (read.length != value.size())
        throw QuotedTextError("text follows the closing quote");
    return std::move(read.text);
}

} // namespace app
