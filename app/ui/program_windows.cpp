#include "app/ui/program_windows.h"

#include "app/paths/example_paths.h"
#include "app/ui/file_commands.h"
#include "app/ui/gallery_window.h"
#include "app/ui/rules_window.h"
#include "app/ui/view_commands.h"

namespace app {

ProgramWindows::ProgramWindows()
    : m_files(new FileCommands(*this))
{
    ConnectPlane();
    m_files->AddPanelCommands(m_panel);
    m_files->AcceptDrops(m_panel);
    m_panel.AddCommand(QStringLiteral("Rules…"), Qt::CTRL | Qt::Key_R, [this] { ShowRules(); });
    m_panel.AddCommand(QStringLiteral("Gallery…"), Qt::CTRL | Qt::Key_L, [this] { ShowGallery(); });
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
    new ViewCommands(
        plane, m_panel.driver(), guard, [this] { return m_panel.ReadFields(); },
        [this](const WorldWindow& window) { m_panel.ShowWindow(window); }, &m_panel);
    m_files->Connect(plane);
}

void ProgramWindows::ShowPanelRules()
{
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
        });
        QObject::connect(m_rules, &RulesWindow::moreRulesEdited, &m_panel,
            [this] { m_panel.SetMoreRules(m_rules->moreRules()); });
        m_files->AcceptDrops(*m_rules);
        m_panel.DisableWhileBusy(*m_rules);
    }
    m_rules->show();
    m_rules->raise();
    m_rules->activateWindow();
}

void ProgramWindows::SetFieldsFromOutside(const PanelFields& fields)
{
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
    m_panel.FitToFigure();
}

} // namespace app
