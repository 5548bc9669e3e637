#pragma once

#include "app/io/file_error.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <string>
#include <string_view>

namespace app {

// "Could not save "<path>": <reason>", the path as the system shows it.
FileError SaveError(const QString& path, const QString& reason);

// Why `path` cannot name a file to write: it is empty, or ends with a separator or a dot (the
// rule that a name without an extension gets one would make ".png", "dir/.png" or "x..png" of
// them). Empty when it can.
QString OutputNameFault(const QString& path);

// The extension of the path's file name: what follows its last dot, empty where it has none.
// (QFileInfo::suffix gives a wrong one for names of 32 768 characters or more.)
QString NameSuffix(const QString& path);

// A file written in full or not at all: every file the program writes goes through one. The
// bytes go to a temporary file beside the target, in blocks of BufferSize, each write checked;
// Commit checks the last block, the sync to disk and the close, and only then puts the file in
// place, in one step (rename). Where the file system allows, the temporary file has no name
// while it is written (O_TMPFILE), and gets one, ".lsys-" and six random letters or digits, only
// to be renamed over the target; elsewhere it has that name from the start and is marked for
// removal should a signal end the program (PrepareSignalsForSaving). The short name fits beside
// a name of any length the system allows. A file that exists keeps its permissions; a new one
// gets the umask's. A file not committed (a failed write, an exception, SIGTERM, SIGINT or
// SIGHUP) is discarded: the old file stays as it was and nothing is left behind. A failure's
// FileError names the file and the system's reason ("No space left on device", "File too large":
// SIGXFSZ is ignored, so a file size limit fails the write).
//
// The target must be a regular file or not exist yet. A symlink is written through, as editors
// do: the link stays and the file it leads to is replaced, or made when there is none, unless
// the system would not follow it for open() when it protects symlinks (FindWriteTarget): a link
// that another user put in a shared sticky folder such as /tmp is refused. Anything else (a
// folder, a FIFO, a device, a socket, or a symlink to one) is refused before anything is written.
//
// As a QIODevice (for writers such as QImageWriter), a write that failed returns -1 and so does
// every write after it.
class CheckedFile final : public QIODevice {
public:
    static constexpr qint64 BufferSize = qint64 { 64 } << 10;

    // Throws FileError when the target is refused or the temporary file cannot be made.
    explicit CheckedFile(const QString& path);
    ~CheckedFile() override;

    // Appends the bytes; throws FileError once a write has failed.
    void Write(std::string_view bytes);

    // Writes what is buffered, syncs it to disk and replaces the target. Throws FileError for
    // the first write that failed, or when this step fails.
    void Commit();

    // The FileError of the first write that failed; `reason` when none did.
    FileError FailureOr(const QString& reason) const;

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool Append(const char* data, qint64 size);
    bool WriteThrough(const char* data, qint64 size);
    bool Flush();
    void SyncToDisk();
    void NameTemporary();
    void CloseHandle();
    void Discard();

    QString m_path; // as given, for messages
    QByteArray m_target; // the file replaced: the path with its symlinks followed
    int m_folder = -1; // the target's folder, where the temporary file is
    int m_handle = -1; // the temporary file, open for writing
    QByteArray m_temporary; // its name in the folder; empty while it has none or after Commit
    int m_mark = -1; // its mark for removal by a signal (Unmark)
    std::string m_buffer;
    QString m_failure; // the reason the first failed write gave; empty while all went well
};

} // namespace app
