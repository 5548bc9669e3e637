// The control panel's more rules and command set: the panel holds them, its title tells them, and
// its Rules window shows and edits them.

#include "app/ui/file_commands.h"
#include "app/ui/form1.h"
#include "app/ui/rules_window.h"

namespace app {

namespace {

QString PanelTitle(std::size_t moreRules, lsystem::CommandSet commands)
{
    QStringList notes;
    if (commands == lsystem::CommandSet::Fractint)
        notes << QStringLiteral("Fractint commands");
    if (moreRules == 1)
        notes << QStringLiteral("1 more rule");
    else if (moreRules > 1)
        notes << QStringLiteral("%1 more rules").arg(moreRules);
    const QString title = QStringLiteral("Control Panel");
    return notes.isEmpty() ? title
                           : title + QStringLiteral(" — ") + notes.join(QStringLiteral(", "));
}

} // namespace

void TForm1::ShowMoreRuleCount()
{
    setWindowTitle(PanelTitle(m_moreRules.size(), m_commands));
}

void TForm1::UsePanelCommands()
{
    m_commands = lsystem::CommandSet::Panel;
    m_rules->ShowCommands(m_commands);
    ShowMoreRuleCount();
}

void TForm1::ShowRules()
{
    if (!m_rules) {
        m_rules = new RulesWindow(*EditRuleF, *EditRuleG, *this);
        m_rules->SetMoreRules(m_moreRules);
        m_rules->ShowCommands(m_commands);
        connect(m_rules, &RulesWindow::panelCommandsChosen, this, &TForm1::UsePanelCommands);
        connect(m_rules, &RulesWindow::moreRulesEdited, this, [this] {
            m_moreRules = m_rules->moreRules();
            ShowMoreRuleCount();
        });
        m_files->AcceptDrops(*m_rules);
    }
    m_rules->show();
    m_rules->raise();
    m_rules->activateWindow();
}

void TForm1::SetFieldsFromOutside(const PanelFields& fields)
{
    SetFields(fields);
    if (!fields.moreRules.empty())
        ShowRules();
}

} // namespace app
