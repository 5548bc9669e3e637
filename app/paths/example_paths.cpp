#include "app/paths/example_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace app {

QString ExamplesDirectoryFrom(const QString& applicationDir)
{
    const QString candidates[] = {
        QDir::cleanPath(applicationDir + QStringLiteral("/" LSYS_EXAMPLES_FROM_BINARY)),
        QStringLiteral(LSYS_SOURCE_EXAMPLES),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return {};
}

QString ExamplesDirectory()
{
    return ExamplesDirectoryFrom(QCoreApplication::applicationDirPath());
}

} // namespace app
