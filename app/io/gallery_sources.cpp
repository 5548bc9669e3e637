#include "app/io/gallery_sources.h"

#include "app/io/lsystem_io.h"
#include "app/io/regular_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>

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
