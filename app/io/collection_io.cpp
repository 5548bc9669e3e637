#include "app/io/collection_io.h"

#include "app/io/checked_file.h"
#include "app/io/file_error.h"
#include "app/io/file_name_bytes.h"
#include "app/io/regular_file.h"

#include <QDir>
#include <QFile>

#include <string>
#include <string_view>

namespace app {

namespace {

FileError OpenError(const QString& path, const std::string& reason)
{
    return FileError("Could not open \""
        + FileNameBytes(QDir::toNativeSeparators(path)).toStdString() + "\": " + reason);
}

} // namespace

bool IsCollectionFile(const QString& path)
{
    return NameSuffix(path).compare(QStringLiteral("l"), Qt::CaseInsensitive) == 0;
}

FractintCollection OpenCollectionFile(const QString& path)
{
    QFile file(path);
    if (const QString reason = OpenRegularFile(file); !reason.isEmpty())
        throw OpenError(path, reason.toStdString());
    constexpr auto limit = static_cast<qint64>(MaxCollectionBytes);
    // One byte over the limit tells a file that is too large, even one whose size is unknown.
    const QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        throw OpenError(path, file.errorString().toStdString());
    if (bytes.size() > limit)
        throw OpenError(
            path, "the file is larger than " + std::to_string(MaxCollectionBytes >> 20) + " MiB");
    return ReadFractintCollection(std::string_view(bytes.constData(), bytes.size()));
}

} // namespace app
