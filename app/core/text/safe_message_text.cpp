#include "app/core/text/safe_message_text.h"

#include "app/core/text/quoted_text.h"

#include <algorithm>

namespace app {

namespace {

struct CodePointRange {
    char32_t first;
    char32_t last;
};

// The characters shown as escapes although they are well-formed UTF-8.
constexpr CodePointRange hiddenCharacters[] = {
    { 0x80, 0x9F }, // C1 controls, which terminals may act on as they act on ESC
    { 0xA0, 0xA0 }, // no-break space
    { 0xAD, 0xAD }, // soft hyphen
    { 0x61C, 0x61C }, // Arabic letter mark
    { 0x1680, 0x1680 }, // Ogham space mark
    { 0x180E, 0x180E }, // Mongolian vowel separator
    { 0x2000, 0x200F }, // spaces of set widths, zero-width characters, direction marks
    { 0x2028, 0x202F }, // line and paragraph separators, embeddings, narrow no-break space
    { 0x205F, 0x206F }, // medium space, word joiner, invisible operators, isolates
    { 0x3000, 0x3000 }, // ideographic space
    { 0xFEFF, 0xFEFF }, // byte order mark (zero-width no-break space)
    { 0xFFF9, 0xFFFB }, // interlinear annotation
    { 0xE0000, 0xE007F }, // tags
};

bool IsHidden(char32_t character)
{
    return std::ranges::any_of(hiddenCharacters, [character](const CodePointRange& range) {
        return character >= range.first && character <= range.last;
    });
}

// The code point of a well-formed UTF-8 sequence.
char32_t CodePoint(std::string_view sequence)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
    if (sequence.size() == 1)
        return byte(0);
    char32_t value = byte(0) & (0x7F >> sequence.size());
    for (std::size_t i = 1; i < sequence.size(); ++i)
        value = (value << 6) | (byte(i) & 0x3F);
    return value;
}

// The escape \uXXXX, or \UXXXXXXXX beyond the basic plane.
void AppendCodePointEscape(std::string& out, char32_t value)
{
    constexpr std::string_view hex = "0123456789ABCDEF";
    const int digits = value > 0xFFFF ? 8 : 4;
    out += value > 0xFFFF ? "\\U" : "\\u";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += hex[(value >> shift) & 0xF];
}

} // namespace

std::string SafeMessageText(std::string_view message)
{
    std::string out;
    out.reserve(message.size());
    for (std::size_t i = 0; i < message.size();) {
        const auto byte = static_cast<unsigned char>(message[i]);
        const std::size_t length = Utf8SequenceLength(message, i);
        if (byte == '\n')
            out += "\\n";
        else if (byte == '\t')
            out += "\\t";
        else if (length == 0 || IsControl(message[i]))
            AppendHexEscape(out, byte);
        else if (const char32_t character = CodePoint(message.substr(i, length));
                 IsHidden(character))
            AppendCodePointEscape(out, character);
        else
            out += message.substr(i, length);
        i += std::max<std::size_t>(length, 1);
    }
    return out;
}

} // namespace app
