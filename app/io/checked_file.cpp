#include "app/io/checked_file.h"

#include "app/io/file_name_bytes.h"
#include "app/io/write_target.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
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

struct TemporaryFile {
    QByteArray path;
    int handle = -1; // -1 when it could not be made
    int error = 0; // why it could not be
};

// A new file in `folder` with a short name of its own, open for writing: readable by the owner
// alone until it has the permissions of the file it replaces, or with the umask's when there is
// none.
TemporaryFile MakeTemporaryFile(const QByteArray& folder, std::optional<mode_t> replaced)
{
    constexpr std::string_view prefix = "/.lsys-";
    constexpr std::string_view letters
        = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int randomLetters = 6;
    constexpr int attempts = 100; // names taken before giving up
    std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, letters.size() - 1);
    TemporaryFile file;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        file.path = folder + QByteArray(prefix.data(), prefix.size());
        for (int i = 0; i < randomLetters; ++i)
            file.path += letters[letter(random)];
        // O_EXCL: never a file or a symlink that is already there.
        file.handle = ::open(
            file.path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaced ? 0600 : 0666);
        if (file.handle >= 0) {
            // As far as the file system keeps permissions at all.
            if (replaced)
                ::fchmod(file.handle, *replaced);
            return file;
        }
        file.error = errno;
        if (file.error != EEXIST)
            break;
    }
    return file;
}

} // namespace

FileError SaveError(const QString& path, const QString& reason)
{
    // The name's own bytes, which the message escapes when shown where they are not UTF-8.
    return FileError(FileNameBytes(QStringLiteral("Could not save \"%1\": %2")
                                       .arg(QDir::toNativeSeparators(path), reason))
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
    const TemporaryFile temporary = MakeTemporaryFile(FolderOf(m_target), target.permissions);
    if (temporary.handle < 0)
        throw SaveError(path, SystemReason(temporary.error));
    m_temporary = temporary.path;
    m_handle = temporary.handle;
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
    if (m_failure.isEmpty())
        CloseHandle();
    if (m_failure.isEmpty() && ::rename(m_temporary.constData(), m_target.constData()) != 0)
        m_failure = SystemReason(errno);
    if (!m_failure.isEmpty()) {
        Discard();
        throw SaveError(m_path, m_failure);
    }
    m_temporary.clear();
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
        ::unlink(std::exchange(m_temporary, {}).constData());
}

} // namespace app
