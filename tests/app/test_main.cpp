#include "app/ui/application.h"
#include "gui_test_support.h"

#include <gtest/gtest.h>

// The widget tests run on the real windows inside the program's own application object, by
// default on the offscreen platform, so they need no display.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const ModalWatchdog watchdog;
    return RUN_ALL_TESTS();
}
