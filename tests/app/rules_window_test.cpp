// The Rules window's wiring to the panel: the F and G rows, the more rules the panel holds and
// counts in its title, the marks of a faulty row, and when the window shows itself.

#include "app/core/record/rule_text.h"
#include "app/ui/form1.h"
#include "app/ui/rules_window.h"
#include "gui_test_support.h"

#include <QAction>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

enum Column { Symbol, Weight, Replacement };

using Rules = std::vector<app::RuleText>;

class RulesWindow : public ShownPanel {
protected:
    app::RulesWindow* Window() { return form.findChild<app::RulesWindow*>(); }
    QTableWidget& Table() { return *Window()->findChild<QTableWidget*>("RuleTable"); }
    // The cell of a row numbered from 1, as the window numbers them.
    QTableWidgetItem& Cell(int row, Column column) { return *Table().item(row - 1, column); }

    void SetMoreRules(const Rules& rules)
    {
        app::PanelFields fields = form.ReadFields();
        fields.moreRules = rules;
        form.SetFields(fields);
    }
};

TEST_F(RulesWindow, TheFieldRowsFollowThePanelsRuleFieldsBothWays)
{
    windows.ShowRules();
    form.EditRuleF->setText(QStringLiteral("F-F"));
    EXPECT_EQ(Cell(1, Replacement).text(), QStringLiteral("F-F"));
    Cell(2, Replacement).setText(QStringLiteral("GFG"));
    EXPECT_EQ(form.EditRuleG->text(), QStringLiteral("GFG"));
    for (const int row : { 1, 2 }) {
        EXPECT_FALSE(Cell(row, Symbol).flags() & Qt::ItemIsEditable);
        EXPECT_FALSE(Cell(row, Weight).flags() & Qt::ItemIsEditable);
    }
    EXPECT_TRUE(form.ReadFields().moreRules.empty());
}

// SetFields refreshes the open window, and the title counts the more rules.
TEST_F(RulesWindow, SetFieldsShowsTheMoreRulesAndTheTitleCountsThem)
{
    windows.ShowRules();
    const struct {
        const char* name;
        Rules rules;
        const char* title;
    } rows[] = {
        { "three", { { "X", "1", "F+X" }, { "F", "2", "FF" }, { "Y", "0.5", "" } },
            "Control Panel — 3 more rules" },
        { "one", { { "X", "1", "F+X" } }, "Control Panel — 1 more rule" },
        { "none", {}, "Control Panel" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetMoreRules(row.rules);
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8(row.title));
        EXPECT_EQ(Window()->moreRules(), row.rules);
    }
}

TEST_F(RulesWindow, AddedEditedAndRemovedRulesReachTheFieldsAndTheTitle)
{
    windows.ShowRules();
    auto* add = Window()->findChild<QPushButton*>("AddRule");
    auto* remove = Window()->findChild<QPushButton*>("RemoveRule");
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseClick(add, Qt::LeftButton);
    Cell(4, Symbol).setText(QStringLiteral("X"));
    Cell(4, Weight).setText(QStringLiteral("3"));
    Cell(4, Replacement).setText(QStringLiteral("F(X)"));
    EXPECT_EQ(form.ReadFields().moreRules, (Rules { {}, { "X", "3", "F(X)" } }));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Control Panel — 2 more rules"));

    // The F and G rows stay when they are selected with rules that can go.
    Table().selectAll();
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(Table().rowCount(), 2);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Control Panel"));
    EXPECT_TRUE(form.ReadFields().moreRules.empty());
    EXPECT_FALSE(remove->isEnabled());
}

TEST_F(RulesWindow, AFaultyRowIsMarkedWithItsFaultAndKeptAsTyped)
{
    SetMoreRules({ { "X", "1", "F" }, { "Y", "1", "G" } });
    windows.ShowRules();
    const QLabel* faultLine = Window()->findChild<QLabel*>("RuleFault");
    Cell(4, Weight).setText(QStringLiteral(" 0 "));
    const app::RuleText faulty { "Y", " 0 ", "G" };
    const std::optional<std::string> fault = app::RuleFault(faulty);
    ASSERT_TRUE(fault);
    const QString said = QString::fromStdString(*fault);
    EXPECT_EQ(form.ReadFields().moreRules.at(1), faulty);
    EXPECT_EQ(faultLine->text(), QStringLiteral("Row 4: ") + said);
    EXPECT_EQ(Cell(4, Symbol).toolTip(), said);
    EXPECT_TRUE(Cell(4, Weight).toolTip().startsWith(said));
    EXPECT_NE(Cell(4, Replacement).background().style(), Qt::NoBrush);
    EXPECT_TRUE(Cell(3, Symbol).toolTip().isEmpty());

    Cell(4, Weight).setText(QStringLiteral("0.25"));
    EXPECT_TRUE(faultLine->text().isEmpty());
    EXPECT_TRUE(Cell(4, Symbol).toolTip().isEmpty());
    EXPECT_EQ(Cell(4, Replacement).background().style(), Qt::NoBrush);
}

// The panel's context menu lists the file commands, its own, then the other windows'.
TEST_F(RulesWindow, TheContextCommandsShortcutIsItsOwnAndOpensTheWindow)
{
    QStringList menu;
    for (const QAction* action : form.actions())
        menu << action->text();
    EXPECT_EQ(menu.join(u'|'),
        QStringLiteral("Open L-system…|Save L-system As…|Fit to Figure|Undo|Redo|Copy "
                       "L-system|Paste L-system|Rules…|Gallery…|Help"));
    QStringList owners;
    for (const QAction* action : form.actions() + form.Draw2D().actions()) {
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_R))
            owners << action->text();
    }
    EXPECT_EQ(owners, QStringList { QStringLiteral("Rules…") });
    EXPECT_EQ(Window(), nullptr);
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
}

TEST_F(RulesWindow, FieldsFromOutsideShowTheWindowWhenTheyHaveMoreRules)
{
    app::PanelFields fields;
    windows.SetFieldsFromOutside(fields);
    EXPECT_EQ(Window(), nullptr);
    fields.moreRules = { { "X", "1", "F" } };
    windows.SetFieldsFromOutside(fields);
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
}

TEST_F(RulesWindow, ARuleErrorIsShownWithItsRowSelected)
{
    SetMoreRules({ { "X", "1", "F" }, { "Y", "-1", "G" } });
    const app::RuleError error(4, "fault");
    const auto shown = CaptureMessageBoxes([&] { form.RunGuarded([&] { throw error; }); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.startsWith(QString::fromUtf8(error.what())));
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
    const QModelIndexList selected = Table().selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row() + 1, 4);
}

TEST_F(RulesWindow, EditingIsDisabledWhileATaskRuns)
{
    windows.ShowRules();
    // 7^10 steps: long enough to be stopped.
    form.EditRuleF->setText(QStringLiteral("FFFFFFF"));
    form.SpinEdit1->setValue(10);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    ASSERT_TRUE(form.drawing());
    EXPECT_FALSE(Window()->isEnabled());
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    EXPECT_TRUE(Window()->isEnabled());
}

} // namespace
