#include "app/io/gallery_sources.h"

#include "app/io/file_error.h"
#include "app/io/lsystem_io.h"
#include "app/io/regular_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>
#include <string_view>

namespace app {

namespace {

// The "#" lines of an L-system file, which describe it, joined into one text for the search.
std::string FileComment(const QString& path)
{
    QFile file(path);
    if (!OpenRegularFile(file).isEmpty())
        return {};
    QStringList lines;
    for (const QByteArray& line : file.read(MaxLSystemFileSize).split('\n')) {
        if (line.startsWith('#'))
            lines << QString::fromUtf8(line.mid(1)).trimmed();
    }
    return lines.join(QLatin1Char(' ')).toStdString();
}

} // namespace

bool IsCollectionPath(const QString& path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("l"), Qt::CaseInsensitive) == 0;
}

GalleryContents OpenCollectionFile(const QString& path)
{
    QFile file(path);
    QString reason = OpenRegularFile(file);
    // One byte over the limit lets the reader tell a collection that is too large.
    const QByteArray bytes = reason.isEmpty() ? file.read(MaxCollectionBytes + 1) : QByteArray();
    if (reason.isEmpty() && file.error() != QFileDevice::NoError)
        reason = file.errorString();
    if (!reason.isEmpty())
        throw FileError("Could not open \"" + QDir::toNativeSeparators(path).toStdString()
            + "\": " + reason.toStdString());
    return CollectionContents(
        ReadFractintCollection(std::string_view(bytes.constData(), bytes.size())));
}

GalleryContents FolderContents(const QString& folder)
{
    GalleryContents contents;
    const QDir dir(folder);
    const QStringList names = dir.entryList(
        { QStringLiteral("*.") + LSystemFileExtension }, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : names) {
        GalleryEntry& entry = contents.entries.emplace_back();
        entry.name = QFileInfo(name).completeBaseName().toStdString();
        try {
            entry.fields = OpenLSystemFile(dir.filePath(name), PanelFields {});
            entry.comment = FileComment(dir.filePath(name));
        } catch (const std::exception& error) {
            entry.fault = error.what();
        }
    }
    return contents;
}

} // namespace app
