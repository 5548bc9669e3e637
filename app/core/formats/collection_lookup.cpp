#include "app/core/formats/collection_lookup.h"

#include "app/core/text/word_typing_distance.h"
#include "expr/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace app {

const FractintEntry* FindEntry(const FractintCollection& collection, std::string_view name)
{
    const auto named = [&](const FractintEntry& entry) { return entry.name == name; };
    if (const auto exact = std::ranges::find_if(collection.entries, named);
        exact != collection.entries.end())
        return &*exact;
    const std::string lower = expr::AsciiLowerText(name);
    const auto folded
        = [&](const FractintEntry& entry) { return expr::AsciiLowerText(entry.name) == lower; };
    const auto found = std::ranges::find_if(collection.entries, folded);
    return found == collection.entries.end() ? nullptr : &*found;
}

std::vector<std::string> NearestEntryNames(
    const FractintCollection& collection, std::string_view name, std::size_t count)
{
    // (does not begin with the name, distance, position): the smallest are the nearest.
    using Rank = std::tuple<bool, std::size_t, std::size_t>;
    const std::string lower = expr::AsciiLowerText(name);
    const WordTypingDistance distanceFrom(std::string_view(lower).substr(0, ComparedLength));
    const std::size_t compared = std::max(lower.size(), ComparedLength);
    std::vector<std::pair<Rank, const std::string*>> ranked;
    for (std::size_t i = 0; i < collection.entries.size(); ++i) {
        const std::string& entryName = collection.entries[i].name;
        // Only the beginning that both comparisons look at.
        const std::string entryLower
            = expr::AsciiLowerText(std::string_view(entryName).substr(0, compared));
        const std::size_t distance
            = distanceFrom.To(std::string_view(entryLower).substr(0, ComparedLength));
        ranked.push_back({ { !entryLower.starts_with(lower), distance, i }, &entryName });
    }
    std::ranges::sort(ranked, {}, [](const auto& pair) { return pair.first; });
    std::vector<std::string> nearest;
    for (const auto& [rank, entryName] : ranked) {
        if (nearest.size() == count)
            break;
        if (std::ranges::find(nearest, *entryName) == nearest.end())
            nearest.push_back(*entryName);
    }
    return nearest;
}

} // namespace app
