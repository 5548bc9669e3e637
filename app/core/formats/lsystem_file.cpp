#include "app/core/formats/lsystem_file.h"

#include "app/core/record/presets.h"
#include "app/core/record/rule_text.h"
#include "app/core/text/float_text.h"
#include "app/core/text/quoted_text.h"
#include "expr/ascii_case.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <utility>
#include <variant>

namespace app {

namespace {

// The keys that are not fields, after the fields' own: the checked preset, the random
// generator's state at the start of the figure, the turtle's commands, and a rule beyond the F
// and G fields (given once for each).
constexpr std::string_view presetKey = "preset";
constexpr std::string_view seedKey = "seed";
constexpr std::string_view commandsKey = "commands";
constexpr std::string_view ruleKey = "rule";
constexpr std::size_t presetIndex = std::size(FieldTable);
constexpr std::size_t seedIndex = presetIndex + 1;
constexpr std::size_t commandsIndex = seedIndex + 1;
constexpr std::size_t ruleIndex = commandsIndex + 1;
// The book's constants and ignored symbols, lines of its rule text given as often as wanted;
// keys of version 4 only (older versions skip them as unknown).
constexpr std::string_view defineKey = "define";
constexpr std::string_view ignoreKey = "ignore";
constexpr std::size_t defineIndex = ruleIndex + 1;
constexpr std::size_t ignoreIndex = defineIndex + 1;
// How the book's notation begins those lines.
constexpr std::string_view defineLead = "define ";
constexpr std::string_view ignoreLead = "ignore:";

// The values of "commands"; the panel's is never written, since a file without the key has it.
constexpr std::string_view panelCommands = "panel";
constexpr std::string_view fractintCommands = "fractint";
constexpr std::string_view bookCommands = "book";

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view headerPrefix = "Lindenmayer L-system ";
constexpr std::size_t longestNewerVersion = 9; // digits that a version named in a message may have

// A NUL byte would end a value wherever it is passed on as a C string (a message quoting it, for
// one), so no value of a file holds one.
bool HoldsNul(std::string_view value)
{
    return value.find('\0') != std::string_view::npos;
}

std::string NulClause(std::string_view key)
{
    return "the value of \"" + std::string(key) + "\" holds a NUL byte";
}

// A line that cannot be read; ParseLSystem adds its number.
struct BadLine {
    std::string message;
};
// A line read after the others, which carries its number.
struct NumberedLine {
    int number;
    std::string message;
};

BadLine CountFault(const std::string& text, std::int32_t maxCount)
{
    return { "the number of substitutions must be a whole number from "
        + std::to_string(MinSubstitutions) + " to " + std::to_string(maxCount) + ", not "
        + Quote(text) };
}

// A count up to the most any command set takes; the file's own set is checked once it is known.
std::int32_t ReadCount(const std::string& text)
{
    std::int32_t count = -1;
    const char* const end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, count);
    if (failure != std::errc {} || stop != end || count < MinSubstitutions
        || count > MaxBookSubstitutions)
        throw CountFault(text, MaxSubstitutions);
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

lsystem::CommandSet ReadCommands(const std::string& text)
{
    if (expr::EqualIgnoringAsciiCase(text, fractintCommands))
        return lsystem::CommandSet::Fractint;
    if (expr::EqualIgnoringAsciiCase(text, panelCommands))
        return lsystem::CommandSet::Panel;
    if (expr::EqualIgnoringAsciiCase(text, bookCommands))
        return lsystem::CommandSet::Book;
    throw BadLine { "the commands must be \"" + std::string(panelCommands) + "\", \""
        + std::string(fractintCommands) + "\" or \"" + std::string(bookCommands) + "\", not "
        + Quote(text) };
}

RuleText ReadRule(std::string_view line)
{
    std::variant<RuleText, std::string> rule = ReadRuleLine(line);
    if (const auto* fault = std::get_if<std::string>(&rule))
        throw BadLine { FaultClause(*fault) };
    return std::get<RuleText>(std::move(rule));
}

// The key's place: a row of FieldTable, presetIndex, seedIndex or ruleIndex; none for an unknown
// key.
std::optional<std::size_t> FindKey(std::string_view name, bool bookKeys)
{
    const auto same
        = [name](std::string_view key) { return expr::EqualIgnoringAsciiCase(key, name); };
    for (std::size_t i = 0; i < std::size(FieldTable); ++i) {
        if (same(FieldTable[i].fileKey))
            return i;
    }
    if (same(presetKey))
        return presetIndex;
    if (same(seedKey))
        return seedIndex;
    if (same(commandsKey))
        return commandsIndex;
    if (same(ruleKey))
        return ruleIndex;
    if (bookKeys && same(defineKey))
        return defineIndex;
    if (bookKeys && same(ignoreKey))
        return ignoreIndex;
    return std::nullopt;
}

std::string_view KeyName(std::size_t key)
{
    if (key < std::size(FieldTable))
        return FieldTable[key].fileKey;
    switch (key - presetIndex) {
    case 0:
        return presetKey;
    case 1:
        return seedKey;
    case 2:
        return commandsKey;
    case 3:
        return ruleKey;
    case 4:
        return defineKey;
    default:
        return ignoreKey;
    }
}

// A version after the ones this program reads: a whole number above 4, written plainly.
bool IsNewerVersion(std::string_view version)
{
    return !version.empty() && version.size() <= longestNewerVersion && version.front() != '0'
        && std::ranges::all_of(version, [](char c) { return c >= '0' && c <= '9'; })
        && std::stoul(std::string(version)) > 4;
}

void CheckHeader(std::string_view line)
{
    if (line == LSystemFileHeader || line == LSystemFileHeaderWithRules
        || line == LSystemFileHeaderWithCommands || line == LSystemFileHeaderWithBook)
        return;
    if (line.starts_with(headerPrefix)) {
        const std::string_view version = line.substr(headerPrefix.size());
        if (IsNewerVersion(version))
            throw BadLine { "the file is of a newer L-system format, version "
                + std::string(version)
                + ", that this program cannot read; it reads versions 1 to 4" };
        throw BadLine { "version " + Excerpt(version)
            + " of the L-system format is not supported; this program reads \""
            + std::string(LSystemFileHeader) + "\", \"" + std::string(LSystemFileHeaderWithRules)
            + "\", \"" + std::string(LSystemFileHeaderWithCommands) + "\" and \""
            + std::string(LSystemFileHeaderWithBook) + "\"" };
    }
    throw BadLine { "not an L-system file: the first line must be \""
        + std::string(LSystemFileHeader) + "\", not " + Excerpt(line) };
}

// A rule of the panel's or Fractint's, read as the command line reads it: its quotes are its own.
RuleText ReadPanelRule(std::string_view value)
{
    RuleText rule = ReadRule(value);
    // Its symbol and weight are refused with a NUL by the rule's own checks.
    if (HoldsNul(rule.replacement))
        throw BadLine { NulClause(ruleKey) };
    return rule;
}

// A line of the book's rule text from its key and value: "define = NAME EXPR" stands for the
// line "define NAME EXPR", "ignore = SYMBOLS" for "ignore: SYMBOLS", "rule = LINE" for LINE.
std::string ReadBookLine(std::size_t key, std::string_view value)
{
    std::string text = Decode(value);
    if (HoldsNul(text))
        throw BadLine { NulClause(KeyName(key)) };
    if (key == defineIndex)
        return std::string(defineLead) + text;
    if (key == ignoreIndex)
        return std::string(ignoreLead) + ' ' + text;
    return text;
}

// Reads the lines after the header into `fields`, remembering where each key was given.
class LineReader {
public:
    // A reader of version 4 keeps the "rule", "define" and "ignore" lines until the file has
    // said whose commands they are (Finish); older versions' rules are the panel's or Fractint's.
    LineReader(PanelFields& fields, bool laterRules)
        : m_fields(fields)
        , m_laterRules(laterRules)
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
        const std::optional<std::size_t> key = FindKey(name, m_laterRules);
        if (!key)
            return;
        const std::string_view rawValue = Trim(line.substr(equals + 1));
        if (*key >= ruleIndex) {
            if (m_laterRules)
                m_laterLines.push_back({ *key, std::string(rawValue), number });
            else
                m_fields.moreRules.push_back(ReadPanelRule(rawValue));
            return;
        }
        int& seen = m_lineOfKey[*key];
        if (seen != 0)
            throw BadLine { "\"" + std::string(KeyName(*key)) + "\" is given twice (first on line "
                + std::to_string(seen) + ")" };
        seen = number;
        const std::string value = Decode(rawValue);
        if (HoldsNul(value))
            throw BadLine { NulClause(KeyName(*key)) };
        if (*key == presetIndex) {
            m_fields.preset = ReadPreset(value);
            return;
        }
        if (*key == seedIndex) {
            m_fields.seed = ReadSeed(value);
            return;
        }
        if (*key == commandsIndex) {
            m_fields.commands = ReadCommands(value);
            if (m_fields.commands == lsystem::CommandSet::Book && !m_laterRules)
                throw BadLine { "the book's commands need the header \""
                    + std::string(LSystemFileHeaderWithBook) + "\"" };
            return;
        }
        const FieldRow& row = FieldTable[*key];
        if (!row.text) {
            m_fields.substCount = ReadCount(value);
            m_countText = value;
        } else if (row.text == &PanelFields::angle) {
            // A file saved where decimals take a comma, by an older version or by hand.
            m_fields.angle = ChangeSeparator(value, ",", ".");
        } else {
            m_fields.*row.text = value;
        }
    }

    // Reads the lines kept for the end, now that the commands are known, and checks the count
    // against them; a fault is raised with its line's number.
    void Finish()
    {
        const bool book = m_fields.commands == lsystem::CommandSet::Book;
        for (const LaterLine& later : m_laterLines) {
            try {
                if (book)
                    m_fields.bookRules.push_back(ReadBookLine(later.key, later.value));
                else if (later.key == ruleIndex)
                    m_fields.moreRules.push_back(ReadPanelRule(later.value));
                else
                    throw BadLine { "\"" + std::string(KeyName(later.key))
                        + "\" belongs to the book's commands (\"commands = book\")" };
            } catch (const BadLine& bad) {
                throw NumberedLine { later.number, bad.message };
            } catch (const QuotedTextError& bad) {
                throw NumberedLine { later.number, bad.what() };
            }
        }
        const std::int32_t maxCount = MaxSubstitutionsOf(m_fields.commands);
        if (m_fields.substCount > maxCount && m_lineOfKey[countIndex] != 0)
            throw NumberedLine { m_lineOfKey[countIndex],
                CountFault(m_countText, maxCount).message };
    }

private:
    struct LaterLine {
        std::size_t key;
        std::string value; // as the file gives it
        int number;
    };
    static constexpr std::size_t countIndex = [] {
        std::size_t i = 0;
        while (FieldTable[i].text)
            ++i;
        return i;
    }();

    PanelFields& m_fields;
    const bool m_laterRules;
    std::vector<LaterLine> m_laterLines;
    std::string m_countText;
    // The line of each key but "rule", "define" and "ignore", which may be given any number of
    // times.
    std::array<int, ruleIndex> m_lineOfKey {};
};

} // namespace

namespace {

// A line of the book's rule text as a file's key and value, which ReadBookLine reads back as
// the same line: a constant or an ignore list under its own key where it is written as that key
// reads it back, every other line, blanks and all, under "rule".
std::string BookRuleLine(std::string_view line)
{
    std::string_view key = ruleKey;
    std::string_view value = line;
    if (line.starts_with(defineLead)) {
        const std::string_view constant = Trim(line.substr(defineLead.size()));
        if (std::string(defineLead) + std::string(constant) == line) {
            key = defineKey;
            value = constant;
        }
    } else if (line.starts_with(ignoreLead)) {
        const std::string_view symbols = Trim(line.substr(ignoreLead.size()));
        if (std::string(ignoreLead) + ' ' + std::string(symbols) == line) {
            key = ignoreKey;
            value = symbols;
        }
    }
    if (HoldsNul(value))
        throw std::invalid_argument(NulClause(key) + ", which an L-system file cannot hold");
    return std::string(key) + " = " + Encode(value) + '\n';
}

std::string_view HeaderOf(const PanelFields& fields)
{
    switch (fields.commands) {
    case lsystem::CommandSet::Panel:
        break;
    case lsystem::CommandSet::Fractint:
        return LSystemFileHeaderWithCommands;
    case lsystem::CommandSet::Book:
        return LSystemFileHeaderWithBook;
    }
    return fields.moreRules.empty() ? LSystemFileHeader : LSystemFileHeaderWithRules;
}

} // namespace

std::string FormatLSystem(const PanelFields& fields)
{
    const bool fractint = fields.commands == lsystem::CommandSet::Fractint;
    const bool book = fields.commands == lsystem::CommandSet::Book;
    const std::string_view header = HeaderOf(fields);
    std::string text = std::string(header) + '\n';
    for (const FieldRow& row : FieldTable) {
        // A value that the file could not give back.
        if (row.text && HoldsNul(fields.*row.text))
            throw std::invalid_argument(
                NulClause(row.fileKey) + ", which an L-system file cannot hold");
        text += row.fileKey;
        text += " = ";
        text += row.text ? Encode(fields.*row.text) : std::to_string(fields.substCount);
        text += '\n';
    }
    text += std::string(presetKey) + " = " + Encode(PresetName(fields.preset)) + '\n';
    if (fractint)
        text += std::string(commandsKey) + " = " + std::string(fractintCommands) + '\n';
    if (book) {
        text += std::string(commandsKey) + " = " + std::string(bookCommands) + '\n';
        for (const std::string& line : fields.bookRules)
            text += BookRuleLine(line);
    }
    for (std::size_t i = 0; i < (book ? 0 : fields.moreRules.size()); ++i) {
        const RuleText& rule = fields.moreRules[i];
        // A rule that cannot be drawn would make a file that cannot be opened.
        if (const auto fault = RuleFault(rule))
            throw RuleError(i + FirstMoreRuleRow, *fault);
        if (HoldsNul(rule.replacement))
            throw RuleError(i + FirstMoreRuleRow,
                "The replacement holds a NUL byte, which an L-system file cannot hold.");
        text += std::string(ruleKey) + " = " + FormatRuleLine(rule) + '\n';
    }
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

    // The file is the whole L-system: its rules, if any, replace the ones before, and its
    // turtle is the panel's unless it names another.
    PanelFields fields = current;
    fields.moreRules.clear();
    fields.bookRules.clear();
    fields.commands = lsystem::CommandSet::Panel;
    const bool book = Trim(text.substr(0, text.find_first_of("\r\n"))) == LSystemFileHeaderWithBook;
    LineReader reader(fields, book);
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
        } catch (const QuotedTextError& bad) {
            return LSystemFileError { number, bad.what() };
        }
    }
    try {
        reader.Finish();
    } catch (const NumberedLine& bad) {
        return LSystemFileError { bad.number, bad.message };
    }
    return fields;
}

} // namespace app
