#include "app/core/formats/gallery_entry.h"

#include "app/core/formats/fractint_fields.h"

#include <variant>

namespace app {

GalleryContents CollectionContents(const FractintCollection& collection)
{
    GalleryContents contents;
    for (const FractintEntry& source : collection.entries) {
        GalleryEntry& entry = contents.entries.emplace_back();
        entry.name = source.name;
        entry.comment = source.comment;
        if (const auto* system = std::get_if<FractintSystem>(&source.content))
            entry.fields = FractintFields(*system);
        else
            entry.fault = DescribeError(std::get<LSystemFileError>(source.content));
    }
    for (const LSystemFileError& fault : collection.faults)
        contents.faults.push_back(DescribeError(fault));
    return contents;
}

} // namespace app
