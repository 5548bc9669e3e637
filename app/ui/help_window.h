#pragma once

#include <QStringList>
#include <QWidget>

class QTextBrowser;

namespace app {

// The "Help" window: sections of the program's manual (docs/manual.md, compiled into the program
// as the resource ":/docs/manual.md"), so that the window and the manual never differ: the
// legend of each command set's symbols, the shortcuts and the context menus' commands.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget& panel);

    // The headings ("## …") of the manual's sections the window shows, in order.
    static const QStringList& ShownSections();
    // Those sections of a manual's Markdown text, each up to the next heading of its level.
    static QString Sections(const QString& manual, const QStringList& headings);

    QTextBrowser& browser() { return *m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace app
