#pragma once

#include <QByteArray>

namespace app {

// Signals and the files being saved. A save writes a temporary file beside its target; the
// checked writer removes it when the save fails, but a signal that ends the program would leave
// it behind. Where the system can, the temporary file has no name until it is complete, so
// there is nothing to remove; elsewhere it is marked here, and SIGTERM, SIGINT (Ctrl-C, the
// command line's Stop) and SIGHUP remove every marked file before they end the program as they
// would have (their default action, raised again). A signal the program was set to ignore or
// handle is left so. SIGXFSZ is ignored, so that a file outgrowing the file size limit fails
// to write with its own reason (EFBIG) instead of ending the program.
//
// Sets this up, the first time it is called; every save calls it before it makes a file.
void PrepareSignalsForSaving();

// Marks the file `name` (a short name, at most MaxMarkedName bytes) in the folder open as
// `folder` for removal by those signals. Returns the mark to pass to Unmark; -1 when too many
// files are marked, and this one is not.
constexpr int MaxMarkedName = 15;
int MarkForRemoval(int folder, const QByteArray& name);

// Ends a mark (a file put in place or removed); nothing for -1.
void Unmark(int mark);

} // namespace app
