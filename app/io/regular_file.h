#pragma once

#include <QFile>
#include <QString>

namespace app {

// The reason given for a path that names a folder, a FIFO, a device or a socket.
inline constexpr char NotARegularFile[] = "not a regular file";

// Opens `file` (by its fileName()) for reading when it is a regular file. Anything else is
// refused without being opened, and the open never blocks, so that a FIFO put in the file's
// place cannot hang the program: what was opened is checked again. Returns the reason the file
// could not be opened (the system's, or NotARegularFile); empty when it is open.
QString OpenRegularFile(QFile& file);

} // namespace app
