// libFuzzer over arbitrary bytes read as a collection of Fractint L-systems: reading never fails
// but by its faults; every system it accepts keeps to what the reader promises (within the
// limits, its texts upper-case printable ASCII without blanks, one rule a symbol), is drawn at
// an order within the import's limits, and its fields saved as an L-system file read back as the
// same fields.

#include "app/core/formats/fractint_collection.h"
#include "app/core/formats/fractint_fields.h"
#include "app/core/formats/lsystem_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>
#include <variant>

namespace {

bool IsWord(std::string_view text)
{
    if (text.size() > app::MaxFractintWordLength)
        return false;
    for (const char c : text) {
        if (c <= ' ' || c > '~' || (c >= 'a' && c <= 'z'))
            return false;
    }
    return true;
}

void Check(const app::FractintSystem& system)
{
    if (system.angleDivisions < app::MinAngleDivisions
        || system.angleDivisions > app::MaxAngleDivisions || system.axiom.empty()
        || !IsWord(system.axiom))
        std::abort();
    std::set<char> symbols;
    for (const app::FractintRule& rule : system.rules) {
        if (!symbols.insert(rule.symbol).second || !IsWord(std::string_view(&rule.symbol, 1))
            || !IsWord(rule.replacement))
            std::abort();
    }
    const std::int32_t order = app::ImportedOrder(system);
    if (order < app::MinSubstitutions || order > app::MaxSubstitutions
        || (order > app::MinSubstitutions
            && app::ImportedSegments(system, order) > app::MaxImportedSegments))
        std::abort();
    const app::PanelFields fields = app::FractintFields(system);
    const app::LSystemParseResult back
        = app::ParseLSystem(app::FormatLSystem(fields), app::PanelFields {});
    const auto* read = std::get_if<app::PanelFields>(&back);
    if (read == nullptr || !(*read == fields))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const app::FractintCollection collection = app::ReadFractintCollection(text);
    if (collection.entries.size() > app::MaxCollectionEntries)
        std::abort();
    for (const app::FractintEntry& entry : collection.entries) {
        if (const auto* system = std::get_if<app::FractintSystem>(&entry.content))
            Check(*system);
    }
    return 0;
}
