#include "app/ui/panel_title.h"

#include "app/core/session/drawing_session.h"

#include <QStringList>

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

} // namespace

QString PanelTitle(
    std::size_t moreRules, lsystem::CommandSet commands, const DrawingSession* session)
{
    QStringList notes;
    if (commands == lsystem::CommandSet::Fractint)
        notes << QStringLiteral("Fractint commands");
    if (commands == lsystem::CommandSet::Book)
        notes << QStringLiteral("book notation");
    if (moreRules == 1)
        notes << QStringLiteral("1 more rule");
    else if (moreRules > 1)
        notes << QStringLiteral("%1 more rules").arg(moreRules);
    if (const QString explore = session ? ExploreNote(*session) : QString(); !explore.isEmpty())
        notes << explore;
    const QString title = QStringLiteral("Control Panel");
    return notes.isEmpty() ? title
                           : title + QStringLiteral(" — ") + notes.join(QStringLiteral(", "));
}

} // namespace app
