#pragma once

#include <QAction>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace app {

// A window's input while a long task runs: the given controls and commands are disabled and the
// cursor shows that the program is busy. When the object goes, however the task ended, they are
// enabled again and the focus goes back where it was.
class BusyState {
public:
    BusyState(QList<QWidget*> controls, QList<QAction*> commands);
    ~BusyState();
    BusyState(const BusyState&) = delete;
    BusyState& operator=(const BusyState&) = delete;

private:
    void SetEnabled(bool enabled);

    QList<QPointer<QWidget>> m_controls;
    QList<QPointer<QAction>> m_commands;
    QPointer<QWidget> m_focused;
};

} // namespace app
