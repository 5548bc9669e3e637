#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <sys/types.h>

namespace app {

// Where a symbolic link sits: its owner, and its folder's owner and mode.
struct LinkPlace {
    uid_t linkOwner = 0;
    uid_t folderOwner = 0;
    mode_t folderMode = 0;
};

// Whether the system would let `user` follow the link when it protects symbolic links
// (fs.protected_symlinks): a link in a folder that is sticky and writable by all, such as /tmp,
// is followed only when it belongs to the user or to the folder's owner, since anybody may have
// put it there.
bool MayFollowLink(const LinkPlace& place, uid_t user);

// The folder of a path, as the system reads it ("." when it names none).
QByteArray FolderOf(const QByteArray& path);

// The file that writing a path replaces or makes.
struct WriteTarget {
    QByteArray path; // the path with its symbolic links followed
    std::optional<mode_t> permissions; // the file's, when it exists
    QString refusal; // why it is not written; empty when it may be
};

// Follows the symbolic links of `path` as open() would under the system's protection of them
// (MayFollowLink), whatever that protection is set to; a link to nothing leads to the file it
// names, which is then made. Refused: a link that MayFollowLink does not follow, anything other
// than a regular file at the end, too many links, a path the system cannot look up (its reason).
WriteTarget FindWriteTarget(const QString& path);

} // namespace app
