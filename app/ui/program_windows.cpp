#include "app/ui/program_windows.h"

#include "app/paths/example_paths.h"
#include "app/ui/field_undo.h"
#include "app/ui/file_commands.h"
#include "app/ui/gallery_window.h"
#include "app/ui/help_window.h"
#include "app/ui/lsystem_clipboard.h"
#include "app/ui/panel_help.h"
#include "app/ui/rules_window.h"
#include "app/ui/session_driver.h"
#include "app/ui/view_commands.h"

#include <QAction>

namespace app {

ProgramWindows::ProgramWindows()
    : m_files(new FileCommands(*this))
    , m_undo(new FieldUndo(m_panel))
    , m_clipboard(new LSystemClipboard(*this))
    , m_fieldHelp(new PanelHelp(m_panel))
{
    ConnectPlane();
    m_files->AddPanelCommands(m_panel);
    m_files->AcceptDrops(m_panel);
    m_clipboard->AcceptDrops(m_panel);
    m_clipboard->AcceptDrops(m_panel.Draw2D());
    m_panel.AddCommand(QStringLiteral("Rules…"), Qt::CTRL | Qt::Key_R, [this] { ShowRules(); });
    m_panel.AddCommand(QStringLiteral("Gallery…"), Qt::CTRL | Qt::Key_L, [this] { ShowGallery(); });
    m_panel.AddCommand(QStringLiteral("Help"), QKeyCombination(Qt::Key_F1), [this] { ShowHelp(); });
    AddPlaneCommands();
    QObject::connect(&m_panel, &TForm1::rulesSet, &m_panel, [this] { ShowPanelRules(); });
    QObject::connect(&m_panel, &TForm1::ruleFailed, &m_panel, [this](std::size_t row) {
        ShowRules();
        m_rules->SelectRow(row);
    });
}

void ProgramWindows::ConnectPlane()
{
    plane::TDraw2D& plane = m_panel.Draw2D();
    const auto guard = [this](const std::function<void()>& call) { m_panel.RunGuarded(call); };
    QObject::connect(&plane, &plane::TDraw2D::closeRequested, &m_panel,
        [this] { m_panel.RunGuarded([this] { m_panel.EndProgram(); }); });
    QObject::connect(&plane, &plane::TDraw2D::fitRequested, &m_panel,
        [this] { m_panel.RunGuarded([this] { m_panel.FitToFigure(); }); });
    // Each view change records the fields it replaces, before ViewCommands changes them.
    QObject::connect(
        &plane, &plane::TDraw2D::zoomRequested, &m_panel, [this] { m_undo->RecordView(); });
    QObject::connect(
        &plane, &plane::TDraw2D::panRequested, &m_panel, [this] { m_undo->RecordView(); });
    new ViewCommands(
        plane, m_panel.driver(), guard, [this] { return m_panel.ReadFields(); },
        [this](const WorldWindow& window) { m_panel.ShowWindow(window); }, &m_panel);
    m_files->Connect(plane);
}

void ProgramWindows::AddPlaneCommands()
{
    plane::TDraw2D& plane = m_panel.Draw2D();
    const auto add = [&](const QString& text, QKeyCombination key, void (ProgramWindows::*call)()) {
        auto* action = new QAction(text, &plane);
        action->setShortcut(QKeySequence(key));
        QObject::connect(action, &QAction::triggered, &m_panel,
            [this, call] { m_panel.RunGuarded([this, call] { (this->*call)(); }); });
        plane.addAction(action);
    };
    add(QStringLiteral("Home"), QKeyCombination(Qt::Key_Home), &ProgramWindows::ShowHome);
    add(QStringLiteral("Show Control Panel"), Qt::CTRL | Qt::Key_P, &ProgramWindows::ShowPanel);
    add(QStringLiteral("Help"), QKeyCombination(Qt::Key_F1), &ProgramWindows::ShowHelp);
}

void ProgramWindows::ShowHelp()
{
    if (!m_help)
        m_help = new HelpWindow(m_panel);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void ProgramWindows::ShowPanel()
{
    m_panel.show();
    m_panel.raise();
    m_panel.activateWindow();
}

void ProgramWindows::ShowHome()
{
    if (m_panel.drawing())
        return;
    DrawingSession& session = m_panel.session();
    m_undo->Record();
    if (!session.ShowHome())
        return;
    m_panel.ShowWindow(*session.shownWindow());
    m_panel.driver().Run();
}

void ProgramWindows::ShowPanelRules()
{
    if (m_panel.commands() == lsystem::CommandSet::Fractint)
        m_panel.UncheckPresets(m_panel.CheckedPreset());
    if (!m_rules)
        return;
    m_rules->SetMoreRules(m_panel.moreRules());
    m_rules->ShowCommands(m_panel.commands());
}

void ProgramWindows::ShowRules()
{
    if (!m_rules) {
        m_rules = new RulesWindow(*m_panel.EditRuleF, *m_panel.EditRuleG, m_panel);
        ShowPanelRules();
        QObject::connect(m_rules, &RulesWindow::panelCommandsChosen, &m_panel, [this] {
            m_panel.UsePanelCommands();
            m_rules->ShowCommands(m_panel.commands());
            m_fieldHelp->ShowHints();
        });
        QObject::connect(m_rules, &RulesWindow::moreRulesEdited, &m_panel,
            [this] { m_panel.SetMoreRules(m_rules->moreRules()); });
        m_files->AcceptDrops(*m_rules);
        m_clipboard->AcceptDrops(*m_rules);
        m_panel.DisableWhileBusy(*m_rules);
    }
    m_rules->show();
    m_rules->raise();
    m_rules->activateWindow();
}

void ProgramWindows::SetFieldsFromOutside(const PanelFields& fields)
{
    m_undo->Record();
    m_panel.SetFields(fields);
    if (!fields.moreRules.empty())
        ShowRules();
}

void ProgramWindows::ShowGallery()
{
    if (!m_gallery) {
        m_gallery = new GalleryWindow(m_panel);
        QObject::connect(
            m_gallery, &GalleryWindow::entryActivated, &m_panel, [this](const PanelFields& fields) {
                m_panel.RunGuarded([&] { DrawGalleryEntry(fields); });
            });
        if (const QString examples = ExamplesDirectory(); !examples.isEmpty())
            m_gallery->ShowFolder(examples);
    }
    m_gallery->show();
    m_gallery->raise();
    m_gallery->activateWindow();
}

void ProgramWindows::OpenCollection(const QString& path)
{
    ShowGallery();
    m_gallery->ShowCollection(path);
}

void ProgramWindows::DrawGalleryEntry(const PanelFields& fields)
{
    if (m_panel.drawing())
        return;
    SetFieldsFromOutside(fields);
    // One step back undoes the entry and its fit.
    m_undo->Hold(true);
    try {
        m_panel.FitToFigure();
    } catch (...) {
        m_undo->Hold(false);
        throw;
    }
    m_undo->Hold(false);
}

} // namespace app
