#pragma once

#include "app/core/formats/fractint_collection.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The entry named `name`: the first whose name is the same, else the first whose name differs
// only in the case of ASCII letters; none when no entry is.
const FractintEntry* FindEntry(const FractintCollection& collection, std::string_view name);

// The characters of the names that NearestEntryNames weighs the typing mistakes of: names are
// told apart by their beginnings, and the comparison, whose cost grows with the product of the
// two lengths, stays within 64 × 64 steps a name however long the names are.
inline constexpr std::size_t ComparedLength = 64;

// At most `count` entry names nearest to `name`, for a name that matched none: the names that
// begin with it first, then by the typing mistakes between their first ComparedLength characters
// (TypingDistance), ASCII letters compared in any case; the collection's order among equals.
// Each name appears once.
std::vector<std::string> NearestEntryNames(
    const FractintCollection& collection, std::string_view name, std::size_t count);

} // namespace app
