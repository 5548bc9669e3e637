#include "app/io/command_line.h"
#include "app/io/launch.h"
#include "app/ui/application.h"
#include "app/ui/file_commands.h"
#include "app/ui/form1.h"
#include "app/ui/program_windows.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// What the platform plugins said while the windows' platform was opening.
struct PlatformMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<PlatformMessage> platformMessages;
QtMessageHandler defaultMessageHandler = nullptr;

// Qt ends the program with an abort when no platform can open the windows, as without a display,
// after several lines of its own; the user gets one line instead, with the platform's reason,
// and the status of a failure. What the platform plugins say is held until it is known whether
// they opened.
void ReportPlatformFailure(
    QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        QString reason = platformMessages.empty() ? message.section(QLatin1Char('\n'), 0, 0)
                                                  : platformMessages.front().text;
        reason = reason.trimmed();
        if (qEnvironmentVariableIsEmpty("DISPLAY")
            && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            reason += QStringLiteral(" (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        std::fprintf(stderr, "Could not open the windows: %s.\n", reason.toLocal8Bit().constData());
        std::_Exit(EXIT_FAILURE);
    }
    if (context.category && QByteArray(context.category).startsWith("qt.qpa")) {
        platformMessages.push_back({ type, context.category, message });
        return;
    }
    defaultMessageHandler(type, context, message);
}

// Passes on what the platform plugins said, now that they opened.
void EndPlatformStart()
{
    qInstallMessageHandler(defaultMessageHandler);
    for (const PlatformMessage& message : platformMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        defaultMessageHandler(message.type, context, message.text);
    }
    platformMessages.clear();
}

} // namespace

int main(int argc, char* argv[])
{
    // The command line draws without windows, and bad usage never opens them, so this is decided
    // before any GUI object exists.
    const app::Launch launch = app::ReadLaunch(app::ArgumentList(argc, argv));
    if (launch.kind != app::LaunchKind::Windows)
        return app::RunCommandLine(argc, argv, launch);

    // The control panel scales its layout with the screen's logical resolution itself and the
    // plane's raster maps one to one onto screen pixels, so Qt must not scale the windows too.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    defaultMessageHandler = qInstallMessageHandler(ReportPlatformFailure);
    app::Application application(argc, argv);
    EndPlatformStart();
    app::ProgramWindows windows;
    app::TForm1& form = windows.panel();
    form.show();
    // `Lindenmayer FILE` opens an L-system file once the panel shows its start-up values.
    if (const std::optional<QString>& file = launch.options.file())
        form.RunGuarded([&windows, &file] { windows.files().OpenLSystem(*file); });
    return application.exec();
}
