#pragma once

#include "app/core/gallery_entry.h"

#include <QString>

namespace app {

// Whether a path names a collection of Fractint L-systems (a ".l" file) rather than one
// L-system file.
bool IsCollectionPath(const QString& path);

// The entries of a ".l" collection. Throws FileError when the file cannot be read; what is
// wrong inside it is told by its entries and faults.
GalleryContents OpenCollectionFile(const QString& path);

// The L-system files of a folder, in the order of their names, each named by its file name
// without the extension; one that cannot be read is an entry with the reason.
GalleryContents FolderContents(const QString& folder);

} // namespace app
