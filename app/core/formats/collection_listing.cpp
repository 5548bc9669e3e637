#include "app/core/formats/collection_listing.h"

#include "app/core/formats/fractint_fields.h"
#include "app/core/text/safe_message_text.h"

#include <variant>

namespace app {

std::string ListingLine(const FractintEntry& entry)
{
    const std::string name = SafeMessageText(entry.name);
    if (const auto* fault = std::get_if<LSystemFileError>(&entry.content))
        return name + "\t-\t-\t" + SafeMessageText(DescribeError(*fault));
    const auto& system = std::get<FractintSystem>(entry.content);
    const std::int32_t order = ImportedOrder(system);
    return name + "\t" + std::to_string(order) + "\t"
        + std::to_string(ImportedSegments(system, order));
}

} // namespace app
