#pragma once

#include <QApplication>

namespace app {

// The program's application object. The program ends only through the control panel
// (TForm1::EndProgram), never because its last window closed. Errors never reach it: every
// command runs guarded (TForm1::RunGuarded).
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);
};

} // namespace app
