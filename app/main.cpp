#include "app/io/command_line.h"
#include "app/io/launch.h"
#include "app/ui/application.h"
#include "app/ui/file_commands.h"
#include "app/ui/form1.h"
#include "app/ui/program_windows.h"

int main(int argc, char* argv[])
{
    // The command line draws without windows, and bad usage never opens them, so this is decided
    // before any GUI object exists.
    const app::Launch launch = app::ReadLaunch(app::ArgumentList(argc, argv));
    if (launch.kind != app::LaunchKind::Windows)
        return app::RunCommandLine(argc, argv);

    // The control panel scales its layout with the screen's logical resolution itself and the
    // plane's raster maps one to one onto screen pixels, so Qt must not scale the windows too.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    app::Application application(argc, argv);
    app::ProgramWindows windows;
    app::TForm1& form = windows.panel();
    form.show();
    // `Lindenmayer FILE` opens an L-system file once the panel shows its start-up values.
    if (launch.file)
        form.RunGuarded([&windows, &launch] { windows.files().OpenLSystem(*launch.file); });
    return application.exec();
}
