#include "app/io/write_target.h"

#include "app/io/file_name_bytes.h"
#include "app/io/regular_file.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {

constexpr int maxLinks = 40; // the most that the system follows in one path

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What the symbolic link at `path` holds; empty when it cannot be read (errno tells why).
QByteArray LinkText(const QByteArray& path)
{
    QByteArray text(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t length
            = ::readlink(path.constData(), text.data(), static_cast<std::size_t>(text.size()));
        if (length < 0)
            return {};
        if (length < text.size()) {
            text.truncate(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

// Why a link that MayFollowLink does not follow is refused; the link is named when it is not the
// path given but one that path leads to.
QString SharedFolderLink(const QByteArray& link, bool isPathGiven)
{
    const QString refusal = QStringLiteral("a symbolic link in a shared folder (sticky, writable "
                                           "by all) owned by another user; it is not followed");
    if (isPathGiven)
        return refusal;
    return QStringLiteral("it leads to \"%1\", %2")
        .arg(QDir::toNativeSeparators(FileNameFromBytes(link)), refusal);
}

} // namespace

bool MayFollowLink(const LinkPlace& place, uid_t user)
{
    constexpr mode_t shared = S_ISVTX | S_IWOTH;
    return (place.folderMode & shared) != shared || place.linkOwner == user
        || place.linkOwner == place.folderOwner;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

WriteTarget FindWriteTarget(const QString& path)
{
    WriteTarget target { FileNameBytes(path), std::nullopt, {} };
    for (int links = 0;; ++links) {
        struct stat status { };
        if (::lstat(target.path.constData(), &status) != 0) {
            // Nothing there yet: the file is made.
            if (errno != ENOENT)
                target.refusal = SystemReason(errno);
            return target;
        }
        if (S_ISREG(status.st_mode)) {
            target.permissions = status.st_mode & 0777;
            return target;
        }
        // Replacing it would turn a folder, a FIFO or a device into a regular file.
        if (!S_ISLNK(status.st_mode)) {
            target.refusal = QString::fromLatin1(NotARegularFile);
            return target;
        }
        if (links == maxLinks) {
            target.refusal = SystemReason(ELOOP);
            return target;
        }
        const QByteArray folder = FolderOf(target.path);
        struct stat folderStatus { };
        if (::stat(folder.constData(), &folderStatus) != 0) {
            target.refusal = SystemReason(errno);
            return target;
        }
        if (!MayFollowLink(
                { status.st_uid, folderStatus.st_uid, folderStatus.st_mode }, ::geteuid())) {
            target.refusal = SharedFolderLink(target.path, links == 0);
            return target;
        }
        const QByteArray text = LinkText(target.path);
        if (text.isEmpty()) {
            target.refusal = SystemReason(errno);
            return target;
        }
        target.path = text.startsWith('/') ? text : folder + '/' + text;
    }
}

} // namespace app
