#include "app/core/formats/fractint_collection.h"

#include "app/core/text/quoted_text.h"
#include "expr/ascii_case.h"
#include "lsystem/commands/fractint_commands.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

namespace app {

namespace {

// Faults outside entries listed at most; a file of anything but entries would list every line.
constexpr std::size_t MaxCollectionFaults = 100;

using lsystem::FractintCommand;
using lsystem::FractintNumber;

// Control bytes (tab aside) mean the file is not text.
bool IsControlNotTab(char c)
{
    return c != '\t' && IsControl(c);
}

bool IsAscii(std::string_view text)
{
    return std::ranges::none_of(text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A name or a comment as UTF-8: as it stands where it is, else read as Latin-1.
std::string AsUtf8(std::string_view text)
{
    if (IsUtf8(text))
        return std::string(text);
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string Symbol(char symbol)
{
    return Quote(std::string_view(&symbol, 1));
}

// Whether the rewriting may replace the command's symbol: the steps may, as the panel's F and G;
// every other command would be drawn no more.
bool MayHaveRule(FractintCommand command)
{
    switch (command) {
    case FractintCommand::None:
    case FractintCommand::DrawStep:
    case FractintCommand::MoveStep:
    case FractintCommand::DrawDegreeStep:
    case FractintCommand::MoveDegreeStep:
        return true;
    case FractintCommand::TurnLeft:
    case FractintCommand::TurnRight:
    case FractintCommand::TurnAround:
    case FractintCommand::SwapTurns:
    case FractintCommand::OpenBranch:
    case FractintCommand::CloseBranch:
    case FractintCommand::Scale:
    case FractintCommand::TurnDegreesLeft:
    case FractintCommand::TurnDegreesRight:
    case FractintCommand::SetColour:
    case FractintCommand::AddColour:
    case FractintCommand::SubtractColour:
        return false;
    }
    return false;
}

// Why `symbol` cannot have a rule, where `prefixes` are the symbols the system writes as prefixes
// of "@"'s numbers.
std::optional<std::string> ReservedSymbolFault(char symbol, std::string_view prefixes)
{
    if (!MayHaveRule(lsystem::FractintCommandOf(symbol)))
        return Symbol(symbol) + " is a turtle command and cannot have a rule";
    if (FractintNumber::IsNumberSymbol(symbol))
        return Symbol(symbol) + " belongs to the commands' numbers and cannot have a rule";
    if (prefixes.find(symbol) != std::string_view::npos)
        return Symbol(symbol)
            + " is a prefix of the scaling command \"@\" in this entry and cannot have a rule";
    if (symbol == '(' || symbol == ')')
        return Symbol(symbol) + " cannot have a rule in this program";
    return std::nullopt;
}

// Adds to `prefixes` the symbols that `word` writes as prefixes of a number (I and Q right after
// "@"); anywhere else they are symbols like any other.
void AddPrefixes(std::string_view word, std::string& prefixes)
{
    for (std::size_t i = 0; i < word.size(); ++i) {
        const FractintCommand command = lsystem::FractintCommandOf(word[i]);
        if (!lsystem::TakesNumber(command))
            continue;
        FractintNumber number(command);
        for (std::size_t at = i + 1; at < word.size(); ++at) {
            const FractintNumber::Part part = number.Take(word[at]);
            if (part != FractintNumber::Part::Prefix)
                break;
            if (prefixes.find(word[at]) == std::string::npos)
                prefixes += word[at];
        }
    }
}

// The lines of the text, without their ends.
class Lines {
public:
    explicit Lines(std::string_view text)
        : m_text(text)
    {
    }

    bool Next(std::string_view& line)
    {
        if (m_text.empty())
            return false;
        const std::size_t end = std::min(m_text.find_first_of("\r\n"), m_text.size());
        line = m_text.substr(0, end);
        const std::size_t next = m_text.substr(end).starts_with("\r\n") ? end + 2 : end + 1;
        m_text.remove_prefix(std::min(next, m_text.size()));
        return true;
    }

private:
    std::string_view m_text;
};

// An entry while its lines are read.
struct OpenEntry {
    FractintEntry entry;
    FractintSystem system;
    std::optional<LSystemFileError> fault; // the first
    int angleLine = 0;
    int axiomLine = 0;
    std::vector<int> ruleLines; // the first line of each rule
};

class CollectionReader {
public:
    FractintCollection Read(std::string_view text)
    {
        // Files from DOS may end with its end-of-file mark.
        while (text.ends_with('\x1A'))
            text.remove_suffix(1);
        if (text.size() > MaxCollectionBytes) {
            m_collection.faults.push_back({ 0,
                "the file is larger than a collection may be (" + std::to_string(MaxCollectionBytes)
                    + " bytes)" });
            return std::move(m_collection);
        }
        Lines lines(text);
        std::string_view line;
        int number = 0;
        while (!m_full && lines.Next(line))
            ReadLine(line, ++number);
        if (m_open)
            EntryFault(m_open->entry.line, "the entry has no closing \"}\"");
        Close();
        return std::move(m_collection);
    }

private:
    void ReadLine(std::string_view line, int number)
    {
        const auto bad = [&](std::string message) {
            if (m_open)
                EntryFault(number, std::move(message));
            else
                StrayFault(number, std::move(message));
        };
        if (line.size() > MaxCollectionLineLength)
            return bad("the line is longer than " + std::to_string(MaxCollectionLineLength)
                + " characters");
        if (const auto control = std::ranges::find_if(line, IsControlNotTab); control != line.end())
            return bad("the line holds a control byte (" + Quote(std::string_view(&*control, 1))
                + "): the file is not text");
        const std::size_t semicolon = std::min(line.find(';'), line.size());
        const std::string_view code = Trim(line.substr(0, semicolon));
        const std::string_view comment = Trim(line.substr(std::min(semicolon + 1, line.size())));
        if (m_open)
            ReadEntryLine(code, comment, number);
        else
            ReadOuterLine(code, comment, number);
    }

    void ReadOuterLine(std::string_view code, std::string_view comment, int number)
    {
        if (code.empty()) {
            if (comment.empty())
                m_commentsBefore.clear();
            else
                m_commentsBefore.push_back(AsUtf8(comment));
            m_stray = false;
            return;
        }
        const std::size_t brace = code.find('{');
        if (brace == std::string_view::npos) {
            m_commentsBefore.clear();
            StrayFault(number, "text outside any entry is skipped: " + Excerpt(code));
            return;
        }
        Open(Trim(code.substr(0, brace)), comment, number);
        if (m_open)
            ReadEntryLine(Trim(code.substr(brace + 1)), {}, number);
    }

    void ReadEntryLine(std::string_view code, std::string_view comment, int number)
    {
        const std::size_t brace = code.find('}');
        const std::string_view statement = Trim(code.substr(0, brace));
        if (brace == std::string_view::npos && StartsAnEntry(statement)) {
            EntryFault(number, "the entry has no closing \"}\" before the next entry");
            Close();
            ReadOuterLine(code, comment, number);
            return;
        }
        AddComment(comment);
        if (!statement.empty() && !m_open->fault)
            ReadStatement(statement, number);
        if (brace != std::string_view::npos)
            Close();
    }

    // A line with "{" that is no statement names the next entry.
    static bool StartsAnEntry(std::string_view statement)
    {
        if (statement.find('{') == std::string_view::npos
            || statement.find('=') != std::string_view::npos)
            return false;
        const std::string word
            = expr::AsciiUpperText(statement.substr(0, statement.find_first_of(" \t")));
        return word != "ANGLE" && word != "AXIOM";
    }

    void ReadStatement(std::string_view statement, int number)
    {
        if (!IsAscii(statement))
            return EntryFault(number, "the statement holds a character other than ASCII");
        const std::string text = expr::AsciiUpperText(statement);
        const std::size_t wordEnd = std::min(text.find_first_of(" \t"), text.size());
        const std::string_view word = std::string_view(text).substr(0, wordEnd);
        const std::string_view rest = Trim(std::string_view(text).substr(wordEnd));
        if (word == "ANGLE")
            return ReadAngle(Trim(statement.substr(wordEnd)), number); // as written, for a message
        if (word == "AXIOM")
            return ReadAxiom(rest, number);
        const std::string_view afterSymbol = Trim(std::string_view(text).substr(1));
        if (!afterSymbol.starts_with('='))
            return EntryFault(number,
                "expected \"ANGLE n\", \"AXIOM word\" or a rule \"X=word\", not "
                    + Excerpt(statement));
        ReadRule(text.front(), Trim(afterSymbol.substr(1)), number);
    }

    void ReadAngle(std::string_view value, int number)
    {
        if (m_open->angleLine != 0)
            return EntryFault(number,
                "the angle is given twice (first on line " + std::to_string(m_open->angleLine)
                    + ")");
        m_open->angleLine = number;
        std::int32_t divisions = 0;
        const auto [end, failure]
            = std::from_chars(value.data(), value.data() + value.size(), divisions);
        if (failure != std::errc {} || end != value.data() + value.size()
            || divisions < MinAngleDivisions || divisions > MaxAngleDivisions)
            return EntryFault(number,
                "the angle must be a whole number from " + std::to_string(MinAngleDivisions)
                    + " to " + std::to_string(MaxAngleDivisions) + ", not " + Excerpt(value));
        m_open->system.angleDivisions = divisions;
    }

    // A later axiom replaces an earlier one, as in Fractint.
    void ReadAxiom(std::string_view word, int number)
    {
        m_open->axiomLine = number;
        if (word.empty())
            return EntryFault(number, "the axiom is empty");
        if (const auto fault = WordFault("the axiom", word))
            return EntryFault(number, *fault);
        m_open->system.axiom = word;
    }

    void ReadRule(char symbol, std::string_view word, int number)
    {
        if (const auto fault = ReservedSymbolFault(symbol, {}))
            return EntryFault(number, *fault);
        std::vector<FractintRule>& rules = m_open->system.rules;
        auto rule = std::ranges::find(rules, symbol, &FractintRule::symbol);
        if (rule == rules.end()) {
            rules.push_back({ symbol, {} });
            m_open->ruleLines.push_back(number);
            rule = rules.end() - 1;
        }
        // A further line for the symbol continues its word.
        rule->replacement += word;
        if (const auto fault = WordFault("the rule for " + Symbol(symbol), rule->replacement))
            EntryFault(number, *fault);
    }

    static std::optional<std::string> WordFault(const std::string& what, std::string_view word)
    {
        if (word.find_first_of(" \t") != std::string_view::npos)
            return what + " holds a blank";
        if (word.size() > MaxFractintWordLength)
            return what + " is longer than " + std::to_string(MaxFractintWordLength)
                + " characters";
        return std::nullopt;
    }

    // The checks that need the whole entry.
    void CheckSystem()
    {
        const FractintSystem& system = m_open->system;
        const int line = m_open->entry.line;
        if (m_open->angleLine == 0)
            return EntryFault(line, "the entry has no angle");
        if (m_open->axiomLine == 0)
            return EntryFault(line, "the entry has no axiom");
        std::string prefixes;
        AddPrefixes(system.axiom, prefixes);
        for (const FractintRule& rule : system.rules)
            AddPrefixes(rule.replacement, prefixes);
        for (std::size_t i = 0; i < system.rules.size(); ++i) {
            if (const auto fault = ReservedSymbolFault(system.rules[i].symbol, prefixes))
                return EntryFault(m_open->ruleLines[i], *fault);
        }
    }

    void Open(std::string_view name, std::string_view comment, int number)
    {
        if (m_collection.entries.size() == MaxCollectionEntries) {
            m_collection.faults.push_back({ number,
                "the collection holds more than " + std::to_string(MaxCollectionEntries)
                    + " entries; the rest are not read" });
            m_full = true;
            return;
        }
        m_open.emplace();
        m_open->entry.name = AsUtf8(name);
        m_open->entry.line = number;
        for (const std::string& before : m_commentsBefore)
            AddComment(before);
        m_commentsBefore.clear();
        AddComment(comment);
        if (name.empty())
            EntryFault(number, "the entry has no name before its \"{\"");
    }

    void AddComment(std::string_view comment)
    {
        if (comment.empty())
            return;
        std::string& text = m_open->entry.comment;
        if (!text.empty())
            text += '\n';
        text += AsUtf8(comment);
    }

    void Close()
    {
        if (!m_open)
            return;
        if (!m_open->fault)
            CheckSystem();
        FractintEntry& entry = m_open->entry;
        if (m_open->fault)
            entry.content = std::move(*m_open->fault);
        else
            entry.content = std::move(m_open->system);
        m_collection.entries.push_back(std::move(entry));
        m_open.reset();
        m_stray = false;
    }

    void EntryFault(int line, std::string message)
    {
        if (!m_open->fault)
            m_open->fault = LSystemFileError { line, std::move(message) };
    }

    // One fault for each stretch of lines outside the entries.
    void StrayFault(int line, std::string message)
    {
        if (m_stray)
            return;
        m_stray = true;
        if (m_collection.faults.size() < MaxCollectionFaults)
            m_collection.faults.push_back({ line, std::move(message) });
    }

    FractintCollection m_collection;
    std::optional<OpenEntry> m_open;
    std::vector<std::string> m_commentsBefore; // the comment lines since the last other line
    bool m_stray = false; // the line before was outside the entries and at fault
    bool m_full = false;
};

} // namespace

FractintCollection ReadFractintCollection(std::string_view text)
{
    return CollectionReader().Read(text);
}

} // namespace app
