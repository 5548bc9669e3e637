#include "app/ui/application.h"

namespace app {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setQuitOnLastWindowClosed(false);
}

} // namespace app
