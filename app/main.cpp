#include "app/io/command_line.h"
#include "app/ui/application.h"
#include "app/ui/file_commands.h"
#include "app/ui/form1.h"

int main(int argc, char* argv[])
{
    // The command line draws without windows, so it must decide before any GUI object exists.
    if (app::IsCommandLineRun(argc, argv))
        return app::RunCommandLine(argc, argv);

    // The control panel scales its layout with the screen's logical resolution itself and the
    // plane's raster maps one to one onto screen pixels, so Qt must not scale the windows too.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    app::Application application(argc, argv);
    app::TForm1 form;
    form.show();
    // `Lindenmayer FILE` opens an L-system file once the panel shows its start-up values.
    const QStringList arguments = application.arguments();
    if (arguments.size() > 1)
        form.RunGuarded([&form, &arguments] { form.files().OpenLSystem(arguments.at(1)); });
    return application.exec();
}
