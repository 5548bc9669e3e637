#pragma once

#include "app/core/formats/fractint_collection.h"
#include "app/core/record/panel_fields.h"

#include <optional>
#include <string>
#include <vector>

namespace app {

// An L-system the gallery shows: its name, its comment (searched with the name) and the fields
// that draw it, or why it cannot be drawn.
struct GalleryEntry {
    std::string name;
    std::string comment;
    std::optional<PanelFields> fields;
    std::string fault; // empty where there are fields
};

// What the gallery shows: its entries, and what was wrong outside them, a line each.
struct GalleryContents {
    std::vector<GalleryEntry> entries;
    std::vector<std::string> faults;
};

// A collection's entries, each with the fields that draw it with Fractint's turtle
// (FractintFields, window not yet fitted) or its fault, and its faults outside the entries.
GalleryContents CollectionContents(const FractintCollection& collection);

} // namespace app
