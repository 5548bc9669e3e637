#include "app/ui/form1.h"

#include "app/ui/busy_state.h"
#include "app/ui/panel_layout.h"
#include "app/ui/panel_title.h"
#include "app/ui/session_driver.h"

#include <QShowEvent>

namespace app {

TForm1::TForm1()
{
    const PanelLayout layout(*this, static_cast<double>(logicalDpiX()) / PanelLayout::LayoutDpi);
    setObjectName(QStringLiteral("Form1"));
    ShowTitle();
    setFont(layout.Font(PanelLayout::WindowFontHeight));
    m_progress = layout.CreateControls(*this);
    layout.SetTabOrder();
    Button1->setFocus();

    move(-1, 36);
    m_outerSize = layout.OuterSize();
    ApplyOuterSize();

    SetDraw2D();
    ConnectCommands();
}

TForm1::~TForm1()
{
    // A task under way restores the panel as it ends: that happens while the panel is whole.
    m_driver->Stop();
    m_session.reset();
    m_draw2D.reset();
}

void TForm1::ApplyOuterSize()
{
    const QSize frame = frameGeometry().size() - size();
    resize(m_outerSize - frame);
}

void TForm1::SetDraw2D()
{
    m_draw2D = std::make_unique<plane::TDraw2D>();
    m_draw2D->resize(PlaneSize, PlaneSize);
    m_draw2D->SetPlaneSize(PlaneSize, PlaneSize);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    // The frame around the window is known only once the window is on the screen.
    QMetaObject::invokeMethod(this, &TForm1::ApplyOuterSize, Qt::QueuedConnection);
    FormActivate();
}

void TForm1::FormActivate()
{
    // The fields' start-up values, but for the random amplitude and the checked preset. Set once,
    // at the first show (a platform may never activate the panel): coming back to the panel
    // keeps what the user typed.
    PanelFields startup;
    startup.random = EditRandom->text().toStdString();
    startup.preset = CheckedPreset();
    SetFields(startup);
}

void TForm1::SetBusy(bool busy)
{
    // While a task runs only Stop and Exit act, and the plane asks for nothing.
    m_draw2D->SetInteractive(!busy);
    if (!busy) {
        m_busy.reset();
        m_progress->hide();
        return;
    }
    QList<QWidget*> input { Button1, Button3, SpinEdit1 };
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QLineEdit*>(control) || qobject_cast<QRadioButton*>(control))
            input << control;
    }
    for (QWidget* window : m_busyWindows) {
        if (window)
            input << window;
    }
    m_busy = std::make_unique<BusyState>(input, actions());
}

void TForm1::ShowTitle()
{
    setWindowTitle(PanelTitle(m_held.moreRules.size(), m_held.commands, m_session.get()));
}

void TForm1::ShowExplore()
{
    m_draw2D->ShowExplore(m_session->exploring());
    ShowTitle();
}

void TForm1::SetMoreRules(const std::vector<RuleText>& rules)
{
    m_held.moreRules = rules;
    ShowTitle();
}

void TForm1::UsePanelCommands()
{
    m_held.commands = lsystem::CommandSet::Panel;
    SpinEdit1->setMaximum(MaxSubstitutionsOf(m_held.commands));
    ShowTitle();
}

void TForm1::ShowProgress(double share)
{
    m_progress->setValue(static_cast<int>(share * m_progress->maximum()));
    m_progress->show();
}

} // namespace app
