#pragma once

#include "app/core/record/panel_fields.h"
#include "lsystem/rules/rule.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace app {

// The Rules window lists the F and G fields' rules as its rows 1 and 2; the rule at index i of
// PanelFields::moreRules is its row i + FirstMoreRuleRow.
inline constexpr std::size_t FirstMoreRuleRow = 3;

// What is wrong with a rule's texts, as a sentence without the row ("The symbol is empty."), or
// none when it can be drawn: the symbol is one printable ASCII character other than a blank and
// the turtle's commands "+", "-", "(" and ")"; the weight is a positive finite number with a
// point.
std::optional<std::string> RuleFault(const RuleText& rule);

// A rule that cannot be drawn: "Rules, row 4: the weight \"0\" is not a positive number."
class RuleError : public std::runtime_error {
public:
    RuleError(std::size_t row, const std::string& fault);
    std::size_t row() const { return m_row; }

private:
    std::size_t m_row;
};

// The rules as the walk takes them; raises RuleError for the first rule that has a fault.
std::vector<lsystem::Rule> ReadRules(const std::vector<RuleText>& rules);

// A fault sentence as the end of a longer message, after a colon: its first letter lower-cased
// where it begins a word, without the full stop ("the symbol is empty").
std::string FaultClause(std::string_view sentence);

// A rule as one line of text, as files and the command line write it: the symbol, the weight
// unless it is "1", "->" and the replacement, e.g. "X -> F(+X)F" or "F 2 -> F(-F)F". A symbol or
// weight that is empty or "->", or holds a blank, a quote, a backslash, a control character or
// bytes that are not UTF-8, is quoted with the escapes \" \\ \n \t and \xHH; the replacement is
// quoted where a file's value would be (it is empty, begins or ends with a blank, begins with a
// quote, or holds a backslash, a control character or bytes that are not UTF-8), so that
// ParseRuleLine gives back the same bytes.
std::string FormatRuleLine(const RuleText& rule);

// Reads a rule written by FormatRuleLine; blanks around the symbol, the weight, the arrow and
// the replacement are dropped. Returns the rule's texts unchecked (RuleFault checks them) or what
// is wrong with the line's form, as a sentence.
std::variant<RuleText, std::string> ParseRuleLine(std::string_view line);

// A rule line as a file or the command line gives it: its texts when it can be drawn, else what
// is wrong with its form (ParseRuleLine) or its texts (RuleFault).
std::variant<RuleText, std::string> ReadRuleLine(std::string_view line);

} // namespace app
