#pragma once

#include "lsystem/rules/rule.h"
#include "lsystem/rules/rule_table.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Plain rewriting, word by word. The walk never builds the rewritten word (it expands the rules
// as it goes); these build it or measure it.
namespace lsystem {

// A word given by rewriting: `axiom` rewritten `count` times (none when count <= 0), each step
// replacing every symbol that has a rule (see RuleTable) at once. Where a symbol has
// alternatives, `seed` chooses among them (ChoiceValue).
struct RewrittenWord {
    std::string axiom;
    std::string ruleF;
    std::string ruleG;
    std::int32_t count = 0;
    std::vector<Rule> moreRules;
    std::uint32_t seed = 0;

    RuleTable rules() const { return RuleTable(ruleF, ruleG, moreRules); }
};

// One rewriting step of the word at `level`: nextWord becomes word with every symbol that has a
// rule replaced by its replacement for its place, all at once; every other byte is copied. word
// is not changed.
void Substitute(const std::string& word, std::string& nextWord, const RuleTable& rules,
    std::uint32_t seed, std::int32_t level);

// The word itself, rewritten step by step.
std::string Rewrite(const RewrittenWord& word);

// The length of the word after `count` steps from `axiom` with rules that have no alternatives,
// computed from the symbol counts; saturates at UINT64_MAX.
std::uint64_t RewrittenLength(std::string_view axiom, const RuleTable& rules, std::int32_t count);

// A set of symbols, by their byte.
using SymbolSet = std::bitset<256>;

// How many of the word's symbols are in `counted`, for the same word and in the same way as
// RewrittenLength, which counts them all: how many steps a figure draws, say, without walking it.
std::uint64_t RewrittenCount(
    std::string_view axiom, const RuleTable& rules, std::int32_t count, const SymbolSet& counted);

} // namespace lsystem
