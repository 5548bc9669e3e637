#pragma once

#include "app/core/formats/fractint_collection.h"
#include "app/core/text/word_typing_distance.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The entry named `name`: the first whose name is the same, else the first whose name differs
// only in the case of ASCII letters; none when no entry is.
const FractintEntry* FindEntry(const FractintCollection& collection, std::string_view name);

// The characters of the names that NearestEntryNames weighs the typing mistakes of: names are
// told apart by their beginnings, and each comparison takes one machine word's steps
// (WordTypingDistance) however long the names are.
inline constexpr std::size_t ComparedLength = WordTypingDistance::MaxLength;

// At most `count` entry names nearest to `name`, for a name that matched none: the names that
// begin with it first, then by the typing mistakes between their first ComparedLength characters
// (TypingDistance), ASCII letters compared in any case; the collection's order among equals.
// Each name appears once.
std::vector<std::string> NearestEntryNames(
    const FractintCollection& collection, std::string_view name, std::size_t count);

} // namespace app
