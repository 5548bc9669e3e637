#include "app/ui/error_box.h"

#include "app/io/safe_message.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace app {

QString ProgramTitle(const QString& executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype stop = name.indexOf(QLatin1Char('.'));
    if (stop >= 0)
        name.truncate(stop);
    return name.left(1) + name.mid(1).toLower();
}

QString ProgramTitle()
{
    return ProgramTitle(QCoreApplication::applicationFilePath());
}

void ShowErrorBox(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, ProgramTitle(), WithFullStop(SafeMessage(message)),
        QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace app
