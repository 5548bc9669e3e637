#include "app/ui/busy_state.h"

#include <QApplication>

namespace app {

BusyState::BusyState(QList<QWidget*> controls, QList<QAction*> commands)
    : m_controls(controls.cbegin(), controls.cend())
    , m_commands(commands.cbegin(), commands.cend())
    , m_focused(QApplication::focusWidget())
{
    SetEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

BusyState::~BusyState()
{
    QApplication::restoreOverrideCursor();
    SetEnabled(true);
    if (m_focused && m_focused->isVisible())
        m_focused->setFocus();
}

void BusyState::SetEnabled(bool enabled)
{
    for (const QPointer<QWidget>& control : m_controls) {
        if (control)
            control->setEnabled(enabled);
    }
    for (const QPointer<QAction>& command : m_commands) {
        if (command)
            command->setEnabled(enabled);
    }
}

} // namespace app
