#include "app/lsystem_io.h"

#include "app/file_error.h"
#include "app/lsystem_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <string>
#include <string_view>
#include <variant>

namespace app {

namespace {

std::string Shown(const QString& path)
{
    return "\"" + QDir::toNativeSeparators(path).toStdString() + "\"";
}

FileError SaveError(const QString& path, const QString& reason)
{
    return FileError("Could not save " + Shown(path) + ": " + reason.toStdString());
}

FileError OpenError(const QString& path, const std::string& reason)
{
    return FileError("Could not open " + Shown(path) + ": " + reason);
}

} // namespace

QString SaveLSystemFile(const QString& path, const PanelFields& fields)
{
    QString target = path;
    if (QFileInfo(path).suffix().isEmpty())
        target += QStringLiteral(".") + QLatin1StringView(LSystemFileExtension);

    // Unbuffered, so that a short write shows at once: Qt's final flush does not tell commit()
    // that it failed, and the truncated file would replace the old one.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw SaveError(target, file.errorString());
    const std::string text = FormatLSystem(fields);
    const auto size = static_cast<qint64>(text.size());
    for (qint64 written = 0; written < size;) {
        const qint64 count = file.write(text.data() + written, size - written);
        if (count <= 0)
            throw SaveError(target, file.errorString());
        written += count;
    }
    if (!file.commit())
        throw SaveError(target, file.errorString());
    return target;
}

PanelFields OpenLSystemFile(const QString& path, const PanelFields& current)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw OpenError(path, file.errorString().toStdString());
    // One byte over the limit tells a file that is too large, even one whose size is unknown.
    const QByteArray bytes = file.read(MaxLSystemFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw OpenError(path, file.errorString().toStdString());
    if (bytes.size() > MaxLSystemFileSize)
        throw OpenError(path, "the file is larger than 1 MiB");

    LSystemParseResult result
        = ParseLSystem(std::string_view(bytes.constData(), bytes.size()), current);
    if (const auto* error = std::get_if<LSystemFileError>(&result))
        throw OpenError(path, DescribeError(*error));
    return std::get<PanelFields>(std::move(result));
}

} // namespace app
