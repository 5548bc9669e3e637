#include <QApplication>

#include <gtest/gtest.h>

// The plane window's tests run in an application that, as the program's, does not end when its
// last window closes; by default on the offscreen platform, so they need no display.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
