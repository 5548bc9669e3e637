// Makes the README's picture of the Gallery window: the panel started without a display, its
// gallery opened over the examples, grabbed once every thumbnail is drawn and written to the PNG
// file the one argument names.

#include "app/ui/application.h"
#include "app/ui/gallery_window.h"
#include "app/ui/program_windows.h"

#include <QEventLoop>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: gallery_screenshot OUTPUT.png\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    app::ProgramWindows windows;
    windows.panel().show();
    windows.ShowGallery();
    app::GalleryWindow& gallery = *windows.gallery();
    if (!gallery.thumbnailsDone()) {
        QEventLoop loop;
        QObject::connect(
            &gallery, &app::GalleryWindow::thumbnailsFinished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return gallery.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
