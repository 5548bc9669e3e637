#pragma once

#include "app/core/formats/gallery_entry.h"

#include <QString>

namespace app {

// The L-system files of a folder, in the order of their names, each named by its file name
// without the extension; one that cannot be read is an entry with the reason.
GalleryContents FolderContents(const QString& folder);

} // namespace app
