#pragma once

#include "app/io/full_stop.h"

#include <QString>

class QWidget;

namespace app {

// The program's title: the executable's file name without its directory and without everything
// from its first full stop on, every letter after the first in lower case.
QString ProgramTitle(const QString& executablePath);
// The title of the running program.
QString ProgramTitle();

// The program's error box: the message (escaped by SafeMessage, with its full stop) under the
// program's title, with the error icon and an OK button. Returns when the user has closed it.
void ShowErrorBox(QWidget* parent, const QString& message);

} // namespace app
