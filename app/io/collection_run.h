#pragma once

#include "app/core/record/panel_fields.h"

#include <QString>

#include <optional>

namespace app {

// A collection's listing: its entries, one ListingLine a line, and what is wrong outside them,
// one line each naming the file.
struct CollectionListing {
    QString entries;
    QString faults;
};

// Lists the collection of Fractint L-systems in `path`. Throws FileError when it cannot be read
// (OpenCollectionFile).
CollectionListing ListCollection(const QString& path);

// The fields of the entry `entry` names (FindEntry) in the collection in `path`, as an opened
// entry has them (FractintFields). Throws UsageError, listing some of the entries' names, where
// `entry` is not given or names none (the nearest names, NearestEntryNames); FileError where
// the file cannot be read, holds no entry, or the entry cannot be drawn (with the reason).
PanelFields CollectionEntryFields(const QString& path, const std::optional<QString>& entry);

} // namespace app
