#include "app/application.h"

#include "app/error_box.h"

#include <exception>

namespace app {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(activeWindow(), QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorBox(activeWindow(), QStringLiteral("Unknown error"));
    }
    // The handler that failed has ended; the event counts as handled.
    return true;
}

} // namespace app
