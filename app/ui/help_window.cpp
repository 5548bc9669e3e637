#include "app/ui/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <vector>

namespace app {

const QStringList& HelpWindow::ShownSections()
{
    static const QStringList headings { QStringLiteral("## Help on the screen"),
        QStringLiteral("## The turtle's symbols and the rule notation"),
        QStringLiteral("## The book's notation"), QStringLiteral("## The fields"),
        QStringLiteral("## Commands, shortcuts and context menus"),
        QStringLiteral("## Fractint collections") };
    return headings;
}

QString HelpWindow::Sections(const QString& manual, const QStringList& headings)
{
    const QStringList lines = manual.split(QLatin1Char('\n'));
    // The level of each line that is a heading ("## Name" is 2), 0 for the others, within a
    // fenced block of code too, where "#" starts a comment.
    std::vector<qsizetype> levels;
    bool fenced = false;
    for (const QString& line : lines) {
        fenced = line.startsWith(QStringLiteral("```")) ? !fenced : fenced;
        const qsizetype hashes = line.indexOf(QLatin1Char(' '));
        const bool heading = !fenced && hashes > 0 && line.left(hashes).count(u'#') == hashes;
        levels.push_back(heading ? hashes : 0);
    }
    QString shown;
    for (const QString& heading : headings) {
        const qsizetype start = lines.indexOf(heading);
        if (start < 0)
            continue;
        // A section ends at the next heading of its level or above; its subsections stay.
        qsizetype end = start + 1;
        while (end < lines.size() && (levels[end] == 0 || levels[end] > levels[start]))
            ++end;
        shown += lines.mid(start, end - start).join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    return shown;
}

HelpWindow::HelpWindow(QWidget& panel)
    : QWidget(&panel, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Lindenmayer Help"));
    resize(760, 620);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    // Links within the manual lead to sections that may not be shown; they are text here.
    m_browser->setOpenLinks(false);
    QFile manual(QStringLiteral(":/docs/manual.md"));
    manual.open(QIODevice::ReadOnly);
    m_browser->setMarkdown(Sections(QString::fromUtf8(manual.readAll()), ShownSections()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

} // namespace app
