#include "app/core/record/rule_text.h"

#include "app/core/text/float_text.h"
#include "app/core/text/quoted_text.h"
#include "expr/ascii_case.h"
#include "fpu/floating_point_error.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace app {

namespace {

constexpr std::string_view arrow = "->";

// The number of characters of a UTF-8 text, each byte that begins none counted as one.
std::size_t CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count)
        i += std::max<std::size_t>(Utf8SequenceLength(text, i), 1);
    return count;
}

bool IsPrintableAscii(char c)
{
    return c > ' ' && c <= '~';
}

// The weight as a number, where it is a positive finite one.
std::optional<double> WeightValue(const std::string& text)
{
    try {
        const std::optional<double> value = TextToFloat(text);
        if (value && std::isfinite(*value) && *value > 0.0)
            return value;
    } catch (const fpu::FloatingPointError&) {
        // Too large for a double: no weight either.
    }
    return std::nullopt;
}

// The symbol and the weight end at a blank, and an unquoted "->" after the symbol is the arrow.
std::string EncodeToken(std::string_view text)
{
    const bool plain = !NeedsQuotes(text) && text != arrow
        && std::ranges::none_of(text, [](char c) { return IsBlank(c) || c == '"'; });
    return plain ? std::string(text) : Quote(text);
}

struct Token {
    std::string text;
    bool quoted = false;

    bool IsArrow() const { return !quoted && text == arrow; }
};

// Takes the token at the start of `rest` and the blanks after it; none when `rest` is empty.
std::optional<Token> TakeToken(std::string_view& rest)
{
    if (rest.empty())
        return std::nullopt;
    Token token;
    std::size_t length = 0;
    if (rest.front() == '"') {
        QuotedPrefix quoted = ReadQuoted(rest);
        length = quoted.length;
        if (length < rest.size() && !IsBlank(rest[length]))
            throw QuotedTextError("text follows the closing quote");
        token = { std::move(quoted.text), true };
    } else {
        length = std::min(rest.find_first_of(" \t"), rest.size());
        token.text = rest.substr(0, length);
    }
    rest = Trim(rest.substr(length));
    return token;
}

// A clause of the quoting's faults as a sentence.
std::string Sentence(std::string clause)
{
    if (!clause.empty())
        clause.front() = expr::AsciiUpper(clause.front());
    return clause + '.';
}

} // namespace

std::optional<std::string> RuleFault(const RuleText& rule)
{
    const std::string& symbol = rule.symbol;
    if (symbol.empty())
        return "The symbol is empty.";
    if (CharacterCount(symbol) > 1)
        return "The symbol " + Excerpt(symbol) + " is more than one character.";
    if (!IsPrintableAscii(symbol.front()))
        return "The symbol " + Quote(symbol) + " is not a printable ASCII character.";
    if (!lsystem::MayHaveRule(symbol.front()))
        return Quote(symbol) + " is a turtle command and cannot have a rule.";
    if (!WeightValue(rule.weight))
        return "The weight " + Excerpt(rule.weight) + " is not a positive number.";
    return std::nullopt;
}

std::string FaultClause(std::string_view sentence)
{
    std::string clause(sentence);
    if (clause.ends_with('.'))
        clause.pop_back();
    if (!clause.empty())
        clause.front() = expr::AsciiLower(clause.front());
    return clause;
}

RuleError::RuleError(std::size_t row, const std::string& fault)
    : std::runtime_error("Rules, row " + std::to_string(row) + ": " + FaultClause(fault) + ".")
    , m_row(row)
{
}

std::vector<lsystem::Rule> ReadRules(const std::vector<RuleText>& rules)
{
    std::vector<lsystem::Rule> read;
    read.reserve(rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const RuleText& rule = rules[i];
        if (const auto fault = RuleFault(rule))
            throw RuleError(i + FirstMoreRuleRow, *fault);
        read.push_back({ rule.symbol.front(), *WeightValue(rule.weight), rule.replacement });
    }
    return read;
}

std::string FormatRuleLine(const RuleText& rule)
{
    std::string line = EncodeToken(rule.symbol);
    if (rule.weight != "1")
        line += ' ' + EncodeToken(rule.weight);
    return line + ' ' + std::string(arrow) + ' ' + Encode(rule.replacement);
}

std::variant<RuleText, std::string> ParseRuleLine(std::string_view line)
{
    try {
        std::string_view rest = Trim(line);
        std::optional<Token> token = TakeToken(rest);
        if (!token)
            return "The rule is empty.";
        RuleText rule;
        rule.symbol = std::move(token->text);
        token = TakeToken(rest);
        if (token && !token->IsArrow()) {
            rule.weight = std::move(token->text);
            token = TakeToken(rest);
        }
        if (!token)
            return "The rule has no \"->\" after its symbol and weight.";
        if (!token->IsArrow())
            return "Expected \"->\" after the symbol and weight, not " + Excerpt(token->text) + ".";
        rule.replacement = Decode(rest);
        return rule;
    } catch (const QuotedTextError& error) {
        return Sentence(error.what());
    }
}

std::variant<RuleText, std::string> ReadRuleLine(std::string_view line)
{
    std::variant<RuleText, std::string> read = ParseRuleLine(line);
    if (const auto* rule = std::get_if<RuleText>(&read)) {
        if (auto fault = RuleFault(*rule))
            return std::move(*fault);
    }
    return read;
}

} // namespace app
