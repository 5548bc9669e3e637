#include "app/core/formats/pasted_lsystem.h"

#include "app/core/formats/fractint_collection.h"
#include "app/core/formats/fractint_fields.h"
#include "app/core/record/rule_text.h"
#include "expr/ascii_case.h"

#include <optional>
#include <string>
#include <vector>

namespace app {

namespace {

constexpr std::string_view blanks = " \t";

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The text's lines, which end in LF, CRLF or CR.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

// A line "key value" or "key = value" of one of the keywords: its value.
std::optional<std::string_view> KeywordValue(std::string_view line, std::string_view keyword)
{
    if (line.size() <= keyword.size()
        || !expr::EqualIgnoringAsciiCase(line.substr(0, keyword.size()), keyword))
        return std::nullopt;
    std::string_view rest = line.substr(keyword.size());
    if (rest.front() != ' ' && rest.front() != '\t' && rest.front() != '=')
        return std::nullopt;
    rest = Trimmed(rest);
    if (!rest.empty() && rest.front() == '=')
        rest = Trimmed(rest.substr(1));
    return rest;
}

std::optional<LSystemParseResult> ReadFractintEntry(std::string_view text)
{
    if (text.find('{') == std::string_view::npos)
        return std::nullopt;
    const FractintCollection collection = ReadFractintCollection(text);
    if (collection.entries.empty())
        return std::nullopt;
    const FractintEntry& entry = collection.entries.front();
    if (const auto* fault = std::get_if<LSystemFileError>(&entry.content))
        return *fault;
    return FractintFields(std::get<FractintSystem>(entry.content));
}

// One line of rules: "X=word" or ParseRuleLine's "X -> word".
std::variant<RuleText, std::string> ReadRule(std::string_view line)
{
    if (line.find("->") != std::string_view::npos)
        return ReadRuleLine(line);
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::string("The line is no rule (\"X=word\" or \"X -> word\"), axiom or angle.");
    RuleText rule { std::string(Trimmed(line.substr(0, equals))), "1",
        std::string(Trimmed(line.substr(equals + 1))) };
    if (const auto fault = RuleFault(rule))
        return *fault;
    return rule;
}

LSystemParseResult ReadRules(std::string_view text, const PanelFields& current)
{
    PanelFields fields = current;
    fields.ruleF = "F";
    fields.ruleG = "G";
    fields.moreRules.clear();
    fields.commands = lsystem::CommandSet::Panel;
    bool given = false;
    bool axiomGiven = false;
    bool angleGiven = false;
    bool ruleFGiven = false;
    bool ruleGGiven = false;
    int number = 0;
    for (const std::string_view raw : Lines(text)) {
        ++number;
        const std::string_view line = Trimmed(raw);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        const auto axiom = KeywordValue(line, "axiom");
        const auto angle = KeywordValue(line, "angle");
        if (axiom || angle) {
            bool& seen = axiom ? axiomGiven : angleGiven;
            if (seen)
                return LSystemFileError { number,
                    axiom ? "the axiom is given twice" : "the angle is given twice" };
            seen = true;
            (axiom ? fields.axiom : fields.angle) = std::string(axiom ? *axiom : *angle);
            given = given || axiom.has_value();
            continue;
        }
        auto rule = ReadRule(line);
        if (const auto* fault = std::get_if<std::string>(&rule))
            return LSystemFileError { number, FaultClause(*fault) };
        RuleText& read = std::get<RuleText>(rule);
        given = true;
        // The first rule of weight 1 for F or G goes to its field; any other is an alternative.
        bool& fieldGiven = read.symbol == "F" ? ruleFGiven : ruleGGiven;
        if (read.weight == "1" && (read.symbol == "F" || read.symbol == "G") && !fieldGiven) {
            fieldGiven = true;
            (read.symbol == "F" ? fields.ruleF : fields.ruleG) = read.replacement;
        } else {
            fields.moreRules.push_back(std::move(read));
        }
    }
    if (!given)
        return LSystemFileError { 0, "the text holds no L-system: no rule and no axiom" };
    return fields;
}

} // namespace

LSystemParseResult ReadPastedLSystem(std::string_view text, const PanelFields& current)
{
    // A file's text may come after blank lines, which the file itself could not have.
    const auto start = text.find_first_not_of(" \t\r\n");
    if (start != std::string_view::npos && text.substr(start).starts_with("Lindenmayer L-system"))
        return ParseLSystem(text.substr(start), current);
    if (auto entry = ReadFractintEntry(text))
        return *std::move(entry);
    return ReadRules(text, current);
}

} // namespace app
