#pragma once

#include "app/core/record/panel_fields.h"

#include <QString>

#include <exception>
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

// An entry of a collection, opened: its name as the file writes it and its fields.
struct OpenedEntry {
    QString name;
    PanelFields fields;
};

// The entry `entry` names (FindEntry) in the collection in `path`, with the fields an opened
// entry has (FractintFields). Throws UsageError, listing some of the entries' names, where
// `entry` is not given or names none (the nearest names, NearestEntryNames); FileError where
// the file cannot be read, holds no entry, or the entry cannot be drawn (with the reason).
OpenedEntry OpenCollectionEntry(const QString& path, const std::optional<QString>& entry);

// The message, with its full stop, of an arithmetic fault (fpu::FloatingPointError) that ended
// the drawing of the entry `name`: the entry, what the fault means for its figure, and the
// fault's own message; none for any other error.
std::optional<QString> EntryFailureMessage(const std::exception& error, const QString& name);

} // namespace app
