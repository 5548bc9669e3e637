#pragma once

#include <QApplication>

namespace app {

// The program's application object. It is the one place where errors that escape an event
// handler end: notify() catches them, shows them in the error box and lets the event loop go
// on, so that no exception crosses Qt's event loop. The program ends only through the control
// panel (TForm1::EndProgram), never because its last window closed.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
