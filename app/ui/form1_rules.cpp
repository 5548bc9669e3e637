// The control panel's more rules: the panel holds them, its title counts them, and its Rules
// window shows and edits them.

#include "app/ui/file_commands.h"
#include "app/ui/form1.h"
#include "app/ui/rules_window.h"

namespace app {

namespace {

QString PanelTitle(std::size_t moreRules)
{
    const QString title = QStringLiteral("Control Panel");
    if (moreRules == 0)
        return title;
    if (moreRules == 1)
        return title + QStringLiteral(" — 1 more rule");
    return title + QStringLiteral(" — %1 more rules").arg(moreRules);
}

} // namespace

void TForm1::ShowMoreRuleCount()
{
    setWindowTitle(PanelTitle(m_moreRules.size()));
}

void TForm1::ShowRules()
{
    if (!m_rules) {
        m_rules = new RulesWindow(*EditRuleF, *EditRuleG, *this);
        m_rules->SetMoreRules(m_moreRules);
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
