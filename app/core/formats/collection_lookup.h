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

// At most `count` entry names nearest to `name`, for a name that matched none: the names that
// begin with it first, then by the typing mistakes between them (TypingDistance), ASCII letters
// compared in any case; the collection's order among equals. Each name appears once.
std::vector<std::string> NearestEntryNames(
    const FractintCollection& collection, std::string_view name, std::size_t count);

} // namespace app
