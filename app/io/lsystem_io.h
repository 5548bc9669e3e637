#pragma once

#include "app/core/record/panel_fields.h"

#include <QString>
#include <QtGlobal>

namespace app {

// The extension given to a file name that has none.
inline constexpr char LSystemFileExtension[] = "lsys";

// Files larger than this are refused before they are parsed.
inline constexpr qint64 MaxLSystemFileSize = qint64 { 1 } << 20;

// Writes the fields as an L-system file and returns the path written: `path`, with ".lsys"
// added when its file name has no extension. It is written through a CheckedFile, so an
// existing file is replaced only once the new one is complete, and only a regular file is.
// Throws FileError, naming the file and the system's reason, when it cannot be written, and
// for a name OutputNameFault refuses; RuleError, before anything is written, for a rule that
// cannot be drawn.
QString SaveLSystemFile(const QString& path, const PanelFields& fields);

// Reads an L-system file: the fields it gives, the others as in `current`. Throws FileError,
// naming the file and (for a fault in its text) the line and what is wrong, when the file
// cannot be read, is not a regular file (OpenRegularFile, so that a FIFO cannot hang the
// program), is larger than MaxLSystemFileSize or is not a valid L-system file.
PanelFields OpenLSystemFile(const QString& path, const PanelFields& current);

} // namespace app
