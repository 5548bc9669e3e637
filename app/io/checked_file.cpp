#include "app/io/checked_file.h"

#include "app/io/file_name_bytes.h"
#include "app/io/save_signals.h"
#include "app/io/write_target.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace app {

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A temporary file's name: ".lsys-" and six random letters or digits.
QByteArray TemporaryName()
{
    constexpr std::string_view letters
        = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int randomLetters = 6;
    std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, letters.size() - 1);
    QByteArray name = ".lsys-";
    for (int i = 0; i < randomLetters; ++i)
        name += letters[letter(random)];
    return name;
}

constexpr int NameAttempts = 100; // names taken before giving up

// Makes a file with a new name in `folder` for `attempt` (openat with O_CREAT | O_EXCL, or
// linkat), trying new names while a name is taken. Returns the name; empty when no file was
// made (errno tells why).
QByteArray WithNewName(const std::function<bool(const QByteArray&)>& attempt)
{
    for (int i = 0; i < NameAttempts; ++i) {
        const QByteArray name = TemporaryName();
        if (attempt(name))
            return name;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

// The path that names an open file for linkat.
QByteArray ProcessFdPath(int handle)
{
    return "/proc/self/fd/" + QByteArray::number(handle);
}

// A file with no name in the folder (O_TMPFILE), when the file system makes one and /proc lets
// it be linked later; -1 where it does not, with errno 0, or where it cannot be made (errno).
int OpenUnnamedFile(int folder, mode_t mode)
{
    const int handle = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (handle < 0) {
        // A file system or a kernel without O_TMPFILE.
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
            errno = 0;
        return -1;
    }
    if (::access(ProcessFdPath(handle).constData(), F_OK) != 0) {
        ::close(handle);
        errno = 0;
        return -1;
    }
    return handle;
}

} // namespace

FileError SaveError(const QString& path, const QString& reason)
{
    // The name's own bytes, which the message escapes when shown where they are not UTF-8.
    return FileError(FileNameBytes(
        QStringLiteral("Could not save \"%1\": %2").arg(QDir::toNativeSeparators(path), reason))
                         .toStdString());
}

QString OutputNameFault(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("the name is empty");
    if (QDir::fromNativeSeparators(path).endsWith(QLatin1Char('/')))
        return QStringLiteral("the name ends with a separator");
    if (path.endsWith(QLatin1Char('.')))
        return QStringLiteral("the name ends with a dot");
    return {};
}

QString NameSuffix(const QString& path)
{
    const QString name = path.section(QLatin1Char('/'), -1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

CheckedFile::CheckedFile(const QString& path)
    : m_path(path)
{
    WriteTarget target = FindWriteTarget(path);
    if (!target.refusal.isEmpty())
        throw SaveError(path, target.refusal);
    m_target = std::move(target.path);
    PrepareSignalsForSaving();
    m_folder = ::open(FolderOf(m_target).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        throw SaveError(path, SystemReason(errno));
    // Readable by the owner alone until it has the permissions of the file it replaces.
    const mode_t mode = target.permissions ? 0600 : 0666;
    m_handle = OpenUnnamedFile(m_folder, mode);
    if (m_handle < 0 && errno == 0) {
        // O_EXCL: never a file or a symlink that is already there.
        m_temporary = WithNewName([&](const QByteArray& name) {
            m_handle = ::openat(
                m_folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            return m_handle >= 0;
        });
        if (m_handle >= 0)
            m_mark = MarkForRemoval(m_folder, m_temporary);
    }
    if (m_handle < 0) {
        const int error = errno;
        Discard();
        throw SaveError(path, SystemReason(error));
    }
    // As far as the file system keeps permissions at all.
    if (target.permissions)
        ::fchmod(m_handle, *target.permissions);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    m_buffer.reserve(BufferSize);
}

CheckedFile::~CheckedFile()
{
    Discard();
}

void CheckedFile::Write(std::string_view bytes)
{
    if (!Append(bytes.data(), static_cast<qint64>(bytes.size())))
        throw SaveError(m_path, m_failure);
}

void CheckedFile::Commit()
{
    if (m_failure.isEmpty() && Flush())
        SyncToDisk();
    if (m_failure.isEmpty() && m_temporary.isEmpty())
        NameTemporary();
    if (m_failure.isEmpty())
        CloseHandle();
    if (m_failure.isEmpty()
        && ::renameat(m_folder, m_temporary.constData(), AT_FDCWD, m_target.constData()) != 0)
        m_failure = SystemReason(errno);
    if (!m_failure.isEmpty()) {
        Discard();
        throw SaveError(m_path, m_failure);
    }
    m_temporary.clear();
    Discard();
    close();
}

FileError CheckedFile::FailureOr(const QString& reason) const
{
    return SaveError(m_path, m_failure.isEmpty() ? reason : m_failure);
}

qint64 CheckedFile::writeData(const char* data, qint64 size)
{
    return Append(data, size) ? size : -1;
}

bool CheckedFile::Append(const char* data, qint64 size)
{
    if (!m_failure.isEmpty())
        return false;
    if (static_cast<qint64>(m_buffer.size()) + size > BufferSize) {
        if (!Flush())
            return false;
        // A block at least as large as the buffer gains nothing from it.
        if (size >= BufferSize)
            return WriteThrough(data, size);
    }
    m_buffer.append(data, static_cast<std::size_t>(size));
    return true;
}

bool CheckedFile::WriteThrough(const char* data, qint64 size)
{
    for (qint64 written = 0; written < size;) {
        // A short count means the next write tells why it failed.
        const ssize_t count
            = ::write(m_handle, data + written, static_cast<std::size_t>(size - written));
        if (count < 0 && errno == EINTR)
            continue;
        // Nothing written and no reason given: taken as an input/output error.
        if (count <= 0) {
            m_failure = SystemReason(count < 0 ? errno : EIO);
            return false;
        }
        written += count;
    }
    return true;
}

bool CheckedFile::Flush()
{
    const bool written = WriteThrough(m_buffer.data(), static_cast<qint64>(m_buffer.size()));
    m_buffer.clear();
    return written;
}

void CheckedFile::SyncToDisk()
{
    // Some file systems report a lack of space only here; one that cannot sync (EINVAL) has
    // nothing to report.
    if (::fsync(m_handle) != 0 && errno != EINVAL)
        m_failure = SystemReason(errno);
}

void CheckedFile::NameTemporary()
{
    // The unnamed file gets a name beside the target only to be renamed over it, which keeps
    // the replacement one step: linkat cannot replace a file.
    const QByteArray handlePath = ProcessFdPath(m_handle);
    m_temporary = WithNewName([&](const QByteArray& name) {
        return ::linkat(
                   AT_FDCWD, handlePath.constData(), m_folder, name.constData(), AT_SYMLINK_FOLLOW)
            == 0;
    });
    if (m_temporary.isEmpty())
        m_failure = SystemReason(errno);
    else
        m_mark = MarkForRemoval(m_folder, m_temporary);
}

void CheckedFile::CloseHandle()
{
    // A network file system may report a failed write only here. The handle is gone even when
    // close fails.
    if (::close(std::exchange(m_handle, -1)) != 0 && errno != EINTR)
        m_failure = SystemReason(errno);
}

void CheckedFile::Discard()
{
    if (m_handle >= 0)
        ::close(std::exchange(m_handle, -1));
    if (!m_temporary.isEmpty())
        ::unlinkat(m_folder, std::exchange(m_temporary, {}).constData(), 0);
    Unmark(std::exchange(m_mark, -1));
    if (m_folder >= 0)
        ::close(std::exchange(m_folder, -1));
}

} // namespace app
