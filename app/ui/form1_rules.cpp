// The control panel's more rules and command set: the panel holds them, its title tells them, and
// its Rules window shows and edits them. The title tells whether the plane explores as well.

#include "app/ui/file_commands.h"
#include "app/ui/form1.h"
#include "app/ui/rules_window.h"

#include <optional>

namespace app {

namespace {

// What the title says of Explore: nothing outside it, else the count of substitutions its view
// uses once the plane shows a frame of it.
QString ExploreNote(const DrawingSession& session)
{
    if (!session.exploring())
        return {};
    const std::optional<std::int32_t> count = session.exploreSubstitutions();
    if (!count)
        return QStringLiteral("Explore");
    return QStringLiteral("Explore: %1 %2")
        .arg(*count)
        .arg(*count == 1 ? QStringLiteral("substitution") : QStringLiteral("substitutions"));
}

QString PanelTitle(std::size_t moreRules, lsystem::CommandSet commands, const QString& explore)
{
    QStringList notes;
    if (commands == lsystem::CommandSet::Fractint)
        notes << QStringLiteral("Fractint commands");
    if (moreRules == 1)
        notes << QStringLiteral("1 more rule");
    else if (moreRules > 1)
        notes << QStringLiteral("%1 more rules").arg(moreRules);
    if (!explore.isEmpty())
        notes << explore;
    const QString title = QStringLiteral("Control Panel");
    return notes.isEmpty() ? title
                           : title + QStringLiteral(" — ") + notes.join(QStringLiteral(", "));
}

} // namespace

void TForm1::ShowTitle()
{
    // The panel makes its title before it makes the session.
    const QString explore = m_session ? ExploreNote(*m_session) : QString();
    setWindowTitle(PanelTitle(m_moreRules.size(), m_commands, explore));
}

void TForm1::ShowExplore()
{
    m_draw2D->ShowExplore(m_session->exploring());
    ShowTitle();
}

void TForm1::UsePanelCommands()
{
    m_commands = lsystem::CommandSet::Panel;
    m_rules->ShowCommands(m_commands);
    ShowTitle();
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
            ShowTitle();
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
