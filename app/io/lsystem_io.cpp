#include "app/io/lsystem_io.h"

#include "app/core/formats/lsystem_file.h"
#include "app/io/checked_file.h"
#include "app/io/file_error.h"
#include "app/io/file_name_bytes.h"
#include "app/io/regular_file.h"

#include <QDir>
#include <QFile>

#include <string>
#include <string_view>
#include <variant>

namespace app {

namespace {

std::string Shown(const QString& path)
{
    return "\"" + FileNameBytes(QDir::toNativeSeparators(path)).toStdString() + "\"";
}

FileError OpenError(const QString& path, const std::string& reason)
{
    return FileError("Could not open " + Shown(path) + ": " + reason);
}

} // namespace

QString SaveLSystemFile(const QString& path, const PanelFields& fields)
{
    if (const QString fault = OutputNameFault(path); !fault.isEmpty())
        throw SaveError(path, fault);
    // A rule that cannot be drawn is refused here, before any file is made.
    const std::string text = FormatLSystem(fields);
    QString target = path;
    if (NameSuffix(path).isEmpty())
        target += QStringLiteral(".") + QLatin1StringView(LSystemFileExtension);
    CheckedFile file(target);
    file.Write(text);
    file.Commit();
    return target;
}

PanelFields OpenLSystemFile(const QString& path, const PanelFields& current)
{
    QFile file(path);
    if (const QString reason = OpenRegularFile(file); !reason.isEmpty())
        throw OpenError(path, reason.toStdString());
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
