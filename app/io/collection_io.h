#pragma once

#include "app/core/formats/fractint_collection.h"

#include <QString>

namespace app {

// Whether the file is a collection of Fractint L-systems: its extension is ".l", in any case.
bool IsCollectionFile(const QString& path);

// Reads a collection of Fractint L-systems. Throws FileError, naming the file and the reason,
// when it cannot be read, is not a regular file or is larger than MaxCollectionBytes; what is
// wrong within it is the collection's to tell (its faults and its entries' own).
FractintCollection OpenCollectionFile(const QString& path);

} // namespace app
