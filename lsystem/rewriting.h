#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Plain rewriting, word by word. The walk never builds the rewritten word (it expands the rules
// as it goes); these build it or measure it.
namespace lsystem {

// One rewriting step: nextWord becomes word with every "F" replaced by ruleF and every "G" by
// ruleG, all at once; every other byte is copied. word is not changed.
void Substitute(
    const std::string& word, std::string& nextWord, std::string_view ruleF, std::string_view ruleG);

// The length of the word after `count` steps from `axiom`, computed from the symbol counts;
// saturates at UINT64_MAX.
std::uint64_t RewrittenLength(
    std::string_view axiom, std::string_view ruleF, std::string_view ruleG, std::int32_t count);

} // namespace lsystem
