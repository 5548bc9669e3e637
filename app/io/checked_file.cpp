#include "app/io/checked_file.h"

#include "app/io/regular_file.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace app {

FileError SaveError(const QString& path, const QString& reason)
{
    return FileError(QStringLiteral("Could not save \"%1\": %2")
                         .arg(QDir::toNativeSeparators(path), reason)
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

CheckedFile::CheckedFile(const QString& path)
    : m_path(path)
    , m_file(path)
{
    // Replacing it would turn a FIFO or a device into a regular file (QSaveFile renames over
    // whatever is there).
    if (IsOtherThanRegularFile(path))
        throw SaveError(path, QString::fromLatin1(NotARegularFile));
    // Unbuffered, so that each write reaches the file here and is checked: the final flush of
    // Qt's own buffer can fail without commit() noticing, and the truncated file would replace
    // the old one.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw SaveError(path, m_file.errorString());
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    m_buffer.reserve(BufferSize);
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
    if (!m_failure.isEmpty())
        throw SaveError(m_path, m_failure);
    if (!m_file.commit())
        throw SaveError(m_path, m_file.errorString());
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
        const qint64 count = m_file.write(data + written, size - written);
        if (count <= 0) {
            m_failure = m_file.errorString();
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
    // Some file systems report a lack of space only here. QSaveFile syncs too but ignores the
    // result; a file system that cannot sync (EINVAL) has nothing to report.
    if (::fsync(m_file.handle()) != 0 && errno != EINVAL)
        m_failure = QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace app
