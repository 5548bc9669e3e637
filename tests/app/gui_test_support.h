#pragma once

#include "app/ui/form1.h"
#include "app/ui/program_windows.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

// What a message box showed.
struct ShownMessageBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Runs `action` and records every message box that it opens; each is closed with its OK button
// (or rejected when it has none) as soon as it shows.
std::vector<ShownMessageBox> CaptureMessageBoxes(const std::function<void()>& action);

// Runs the event loop until the program ends it or `limit` ms have passed, calling `action`
// once the loop runs. Returns true when the program ended the loop (QCoreApplication::exit).
bool ProgramEndsLoop(const std::function<void()>& action, int limit = 2000);

// Makes `window` the active window and waits until it is.
bool Activate(QWidget& window);

// The control panel as the program shows it at start-up, with the windows beside it: shown,
// active, with the focus where it starts.
class ShownPanel : public testing::Test {
protected:
    void SetUp() override;

    app::ProgramWindows windows;
    app::TForm1& form = windows.panel();
};

// Fails the running test when a modal window stays open for more than about a second, and
// closes it, so that a box nobody expected cannot hang the tests.
class ModalWatchdog {
public:
    ModalWatchdog();

private:
    QTimer m_timer;
    QPointer<QWidget> m_seen;
};

// Shows QString values in test failures as text.
void PrintTo(const QString& text, std::ostream* out);
