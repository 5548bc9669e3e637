// Help where the user is: the fields' tooltips, the notation hint at a rule field, the fields'
// context menus and the Help window that F1 opens from either window.

#include "app/ui/help_window.h"
#include "gui_test_support.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

using HelpOnScreen = ShownPanel;

TEST_F(HelpOnScreen, EveryFieldHasATooltipAndAnAccessibleDescription)
{
    QList<QWidget*> fields { form.SpinEdit1 };
    for (QLineEdit* edit : form.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        fields << edit;
    EXPECT_EQ(fields.size(), 11);
    for (QWidget* field : fields) {
        SCOPED_TRACE(field->objectName().toStdString());
        EXPECT_FALSE(field->toolTip().isEmpty());
        EXPECT_EQ(field->accessibleDescription(), field->toolTip());
    }
    EXPECT_TRUE(form.EditRuleF->toolTip().contains(QStringLiteral("( and ) open and close")));
}

TEST_F(HelpOnScreen, ARuleFieldSaysSoAtOnceForBracketsButDrawsTheWordAsTyped)
{
    const QString square = QStringLiteral("The panel writes branches with ( and ), not [ and ].");
    const QString unbalanced = QStringLiteral("The ( and ) do not balance.");
    const struct {
        QLineEdit* field;
        const char* typed;
        QString hint;
    } rows[] = {
        { form.EditRuleF, "F[+F]F", square },
        { form.EditAxiom, "F(+F", unbalanced },
        { form.EditRuleG, "G(+G)G", {} },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        row.field->clear();
        row.field->setFocus();
        QTest::keyClicks(row.field, QString::fromUtf8(row.typed));
        EXPECT_EQ(
            row.field->toolTip().startsWith(row.hint + QStringLiteral("\n")), !row.hint.isEmpty());
        if (!row.hint.isEmpty()) {
            EXPECT_EQ(QToolTip::text(), row.hint);
        }
    }

    form.Button1->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form.drawing(); }, 5000));
    const app::PanelFields& drawn = form.figures().back().fields;
    EXPECT_EQ(drawn.ruleF, "F[+F]F");
    EXPECT_EQ(drawn.axiom, "F(+F");
}

TEST_F(HelpOnScreen, AFieldsMenuOffersItsOwnCommandsThenThePanels)
{
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            entries << (action->isSeparator() ? QStringLiteral("|") : action->text());
        menu->close();
    });
    emit form.EditAxiom->customContextMenuRequested(QPoint(5, 5));
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_TRUE(entries.first().contains(QStringLiteral("Undo")));
    const qsizetype panelStart = entries.lastIndexOf(QStringLiteral("|")) + 1;
    QStringList panelEntries;
    for (QAction* action : form.actions())
        panelEntries << action->text();
    EXPECT_EQ(entries.mid(panelStart), panelEntries);
}

TEST_F(HelpOnScreen, F1OnEitherWindowShowsTheManualsLegendsAndShortcuts)
{
    for (QWidget* window :
        { static_cast<QWidget*>(&form), static_cast<QWidget*>(&form.Draw2D()) }) {
        SCOPED_TRACE(window->objectName().toStdString());
        ASSERT_TRUE(Activate(*window));
        QTest::keyClick(window, Qt::Key_F1);
        ASSERT_NE(windows.help(), nullptr);
        EXPECT_TRUE(windows.help()->isVisible());
        windows.help()->hide();
    }
    const QString shown = windows.help()->browser().toPlainText();
    EXPECT_TRUE(windows.help()->windowTitle().contains(QStringLiteral("Help")));
    for (const char* part : { "The turtle's symbols and the rule notation", "Fractint's commands",
             "Ctrl+Shift+V", "Show Control Panel", "Production rule F->" })
        EXPECT_TRUE(shown.contains(QString::fromUtf8(part))) << part;
    EXPECT_FALSE(shown.contains(QStringLiteral("Installed files")));
}

} // namespace
