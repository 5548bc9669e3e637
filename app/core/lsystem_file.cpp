#include "app/core/lsystem_file.h"

#include "app/core/float_text.h"
#include "app/core/presets.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <iterator>
#include <optional>

namespace app {

namespace {

// A text as it stands; the angle, whose decimal separator is a point; the number of
// substitutions; a preset's caption.
// The keys that are not fields, after the fields' own: the checked preset, and the random
// generator's state at the start of the figure.
constexpr std::string_view presetKey = "preset";
constexpr std::string_view seedKey = "seed";
constexpr std::size_t presetIndex = std::size(FieldTable);
constexpr std::size_t seedIndex = presetIndex + 1;
constexpr std::size_t keyCount = seedIndex + 1;

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view headerPrefix = "Lindenmayer L-system ";
constexpr std::size_t excerptLength = 40; // bytes of a faulty line quoted in a message

// A line that cannot be read; ParseLSystem adds its number.
struct BadLine {
    std::string message;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The length of the well-formed UTF-8 sequence at `at` (no overlong forms, surrogates or
// values beyond U+10FFFF), or 0 where none starts.
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

bool NeedsQuotes(std::string_view text)
{
    return text.empty() || IsBlank(text.front()) || IsBlank(text.back()) || text.front() == '"'
        || std::ranges::any_of(text, [](char c) { return c == '\\' || IsControl(c); })
        || !IsUtf8(text);
}

void AppendHexEscape(std::string& out, unsigned char byte)
{
    constexpr std::string_view digits = "0123456789ABCDEF";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
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

std::string Encode(std::string_view text)
{
    return NeedsQuotes(text) ? Quote(text) : std::string(text);
}

// The start of a faulty line, quoted, for a message.
std::string Excerpt(std::string_view line)
{
    if (line.size() <= excerptLength)
        return Quote(line);
    std::size_t cut = excerptLength;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut;
    return Quote(line.substr(0, cut)) + "...";
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = AsciiLower(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

// The text of a quoted value, which starts with '"'.
std::string Unquote(std::string_view quoted)
{
    std::string text;
    for (std::size_t i = 1; i < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"') {
            if (i + 1 != quoted.size())
                throw BadLine { "text follows the closing quote" };
            return text;
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
                throw BadLine { "\"\\x\" must be followed by two hexadecimal digits" };
            text += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            throw BadLine { "unknown escape \"\\" + std::string(1, quoted[i]) + "\"" };
        }
    }
    throw BadLine { "the quoted value has no closing quote" };
}

std::string Decode(std::string_view value)
{
    return !value.empty() && value.front() == '"' ? Unquote(value) : std::string(value);
}

std::int32_t ReadCount(const std::string& text)
{
    std::int32_t count = -1;
    const char* const end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, count);
    if (failure != std::errc {} || stop != end || count < MinSubstitutions
        || count > MaxSubstitutions)
        throw BadLine { "the number of substitutions must be a whole number from "
            + std::to_string(MinSubstitutions) + " to " + std::to_string(MaxSubstitutions)
            + ", not " + Quote(text) };
    return count;
}

std::uint32_t ReadSeed(const std::string& text)
{
    std::uint32_t seed = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, seed);
    if (failure != std::errc {} || stop != end)
        throw BadLine { "the seed must be a whole number from 0 to 4294967295, not "
            + Quote(text) };
    return seed;
}

Preset ReadPreset(const std::string& text)
{
    if (const auto preset = PresetFromName(text))
        return *preset;
    std::string known;
    for (const Preset preset : AllPresets())
        known += (known.empty() ? "\"" : ", \"") + std::string(PresetName(preset)) + '"';
    throw BadLine { "unknown preset " + Quote(text) + "; the presets are " + known };
}

// The key's place: a row of FieldTable, presetIndex or seedIndex; none for an unknown key.
std::optional<std::size_t> FindKey(std::string_view name)
{
    const auto same = [name](std::string_view key) {
        return std::ranges::equal(key, name, {}, AsciiLower, AsciiLower);
    };
    for (std::size_t i = 0; i < std::size(FieldTable); ++i) {
        if (same(FieldTable[i].fileKey))
            return i;
    }
    if (same(presetKey))
        return presetIndex;
    if (same(seedKey))
        return seedIndex;
    return std::nullopt;
}

std::string_view KeyName(std::size_t key)
{
    if (key < std::size(FieldTable))
        return FieldTable[key].fileKey;
    return key == presetIndex ? presetKey : seedKey;
}

void CheckHeader(std::string_view line)
{
    if (line == LSystemFileHeader)
        return;
    if (line.starts_with(headerPrefix))
        throw BadLine { "version " + Excerpt(line.substr(headerPrefix.size()))
            + " of the L-system format is not supported; this program reads \""
            + std::string(LSystemFileHeader) + "\"" };
    throw BadLine { "not an L-system file: the first line must be \""
        + std::string(LSystemFileHeader) + "\", not " + Excerpt(line) };
}

// Reads the lines after the header into `fields`, remembering where each key was given.
class LineReader {
public:
    explicit LineReader(PanelFields& fields)
        : m_fields(fields)
    {
    }

    void Read(std::string_view line, int number)
    {
        if (line.empty() || line.front() == '#')
            return;
        if (!IsUtf8(line))
            throw BadLine { "the text is not UTF-8" };
        const std::size_t equals = line.find('=');
        const std::string_view name = Trim(line.substr(0, equals));
        if (equals == std::string_view::npos || name.empty())
            throw BadLine { "expected \"key = value\", not " + Excerpt(line) };
        const std::optional<std::size_t> key = FindKey(name);
        if (!key)
            return;
        int& seen = m_lineOfKey[*key];
        if (seen != 0)
            throw BadLine { "\"" + std::string(KeyName(*key)) + "\" is given twice (first on line "
                + std::to_string(seen) + ")" };
        seen = number;
        const std::string value = Decode(Trim(line.substr(equals + 1)));
        if (*key == presetIndex) {
            m_fields.preset = ReadPreset(value);
            return;
        }
        if (*key == seedIndex) {
            m_fields.seed = ReadSeed(value);
            return;
        }
        const FieldRow& row = FieldTable[*key];
        if (!row.text)
            m_fields.substCount = ReadCount(value);
        else if (row.text == &PanelFields::angle)
            // A file saved where decimals take a comma, by an older version or by hand.
            m_fields.angle = ChangeSeparator(value, ",", ".");
        else
            m_fields.*row.text = value;
    }

private:
    PanelFields& m_fields;
    std::array<int, keyCount> m_lineOfKey {};
};

} // namespace

std::string FormatLSystem(const PanelFields& fields)
{
    std::string text = std::string(LSystemFileHeader) + '\n';
    for (const FieldRow& row : FieldTable) {
        text += row.fileKey;
        text += " = ";
        text += row.text ? Encode(fields.*row.text) : std::to_string(fields.substCount);
        text += '\n';
    }
    text += std::string(presetKey) + " = " + Encode(PresetName(fields.preset)) + '\n';
    if (fields.seed)
        text += std::string(seedKey) + " = " + std::to_string(*fields.seed) + '\n';
    return text;
}

LSystemParseResult ParseLSystem(std::string_view text, const PanelFields& current)
{
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    if (text.empty())
        return LSystemFileError { 0, "the file is empty" };

    PanelFields fields = current;
    LineReader reader(fields);
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = text.substr(0, end);
        const std::size_t next = text.substr(end).starts_with("\r\n") ? end + 2 : end + 1;
        text.remove_prefix(std::min(next, text.size()));
        try {
            if (number == 1)
                CheckHeader(Trim(line));
            else
                reader.Read(Trim(line), number);
        } catch (const BadLine& bad) {
            return LSystemFileError { number, bad.message };
        }
    }
    return fields;
}

std::string DescribeError(const LSystemFileError& error)
{
    if (error.line == 0)
        return error.message;
    return "line " + std::to_string(error.line) + ": " + error.message;
}

} // namespace app
