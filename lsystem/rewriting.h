#pragma once

#include "lsystem/draw_params.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lsystem {

// The longest word a Draw may build: 1 GiB of symbols.
inline constexpr std::uint64_t MaxWordLength = std::uint64_t { 1 } << 30;

// Raised before anything is allocated when rewriting would build a word over MaxWordLength.
class WordTooLargeError : public std::runtime_error {
public:
    explicit WordTooLargeError(std::uint64_t length);
};

// One rewriting step: nextWord becomes word with every "F" replaced by ruleF and every "G" by
// ruleG, all at once; every other byte is copied. word is not changed.
void Substitute(
    const std::string& word, std::string& nextWord, std::string_view ruleF, std::string_view ruleG);

// The length of the word after `count` steps from `axiom`, computed from the symbol counts;
// saturates at UINT64_MAX.
std::uint64_t RewrittenLength(
    std::string_view axiom, std::string_view ruleF, std::string_view ruleG, std::int32_t count);

// Rewrites params.Word params.SubstCount times through params.NextWord (Word := NextWord after
// each step); a count of 0 or less leaves everything as it is. Raises WordTooLargeError,
// changing nothing, when any word on the way would be longer than MaxWordLength (a rule may
// delete symbols, so the longest word need not be the last). After the last step NextWord is
// emptied and its memory released: only the final word stays for the walk.
void Rewrite(DrawParams& params);

} // namespace lsystem
