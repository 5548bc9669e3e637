#include "gui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int notEndedByProgram = 0x5eed;

} // namespace

std::vector<ShownMessageBox> CaptureMessageBoxes(const std::function<void()>& action)
{
    std::vector<ShownMessageBox> shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        shown.push_back({ box->icon(), box->windowTitle(), box->text(), box->standardButtons() });
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });
    poll.start();
    action();
    return shown;
}

bool ProgramEndsLoop(const std::function<void()>& action, int limit)
{
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, action);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(
        &deadline, &QTimer::timeout, [] { QCoreApplication::exit(notEndedByProgram); });
    start.start(0);
    deadline.start(limit);
    // The application's own loop, as the program runs it: a local QEventLoop would stay
    // ended for good once the program has asked the application to end.
    return QCoreApplication::exec() != notEndedByProgram;
}

void ShownPanel::SetUp()
{
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(Activate(form));
}

bool Activate(QWidget& window)
{
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

ModalWatchdog::ModalWatchdog()
{
    m_timer.setInterval(600);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal != m_seen) {
            m_seen = modal;
            return;
        }
        QString text;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            text = box->text();
        ADD_FAILURE() << "a modal window stayed open: \"" << modal->windowTitle().toStdString()
                      << "\" " << text.toStdString();
        modal->close();
        m_seen = nullptr;
    });
    m_timer.start();
}

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
