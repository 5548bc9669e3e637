#include "app/ui/form1.h"
#include "app/ui/panel_layout.h"
#include "gui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using app::TForm1;

namespace {

QString ControlText(const QWidget* control)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* spin = qobject_cast<const app::SpinEdit*>(control))
        return spin->text();
    return QStringLiteral("<unknown kind of control>");
}

// The controls that the Tab key visits, in its order.
std::vector<std::string> FocusOrder()
{
    std::vector<std::string> names;
    for (const app::PanelControl& control : app::PanelLayout::Controls())
        if (control.takesFocus)
            names.push_back(control.name);
    return names;
}

class ShownForm : public ShownPanel {
protected:
    // The controls that Tab visits from the focused one until it comes back to it.
    std::vector<std::string> TabStops()
    {
        std::vector<std::string> stops;
        QWidget* const first = QApplication::focusWidget();
        for (QWidget* focused = first; focused != nullptr && stops.size() <= FocusOrder().size();) {
            stops.push_back(focused->objectName().toStdString());
            QTest::keyClick(focused, Qt::Key_Tab);
            focused = QApplication::focusWidget();
            if (focused == first)
                break;
        }
        return stops;
    }
};

// Every control of the layout's table, and nothing else but the progress bar, sits on the panel
// under its name, with its text, its place scaled to the screen, the font of its kind and inside
// the window.
TEST(Form1Layout, EveryControlIsPlacedAsTheLayoutSays)
{
    const TForm1 form;
    const double scale = form.logicalDpiX() / 96.0;
    const auto controls = app::PanelLayout::Controls();
    EXPECT_EQ(form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
        static_cast<qsizetype>(controls.size()) + 1);
    EXPECT_TRUE(form.findChild<QProgressBar*>(QStringLiteral("DrawProgress"))->isHidden());
    for (const app::PanelControl& row : controls) {
        SCOPED_TRACE(row.name);
        const auto* control = form.findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), &form);
        EXPECT_EQ(ControlText(control), QLatin1String(row.text));
        const QRect place = row.place;
        EXPECT_EQ(control->geometry(),
            QRect(qRound(place.left() * scale), qRound(place.top() * scale),
                qRound(place.width() * scale), qRound(place.height() * scale)));
        EXPECT_TRUE(form.rect().contains(control->geometry()));
        EXPECT_EQ(control->font().family(), QStringLiteral("MS Sans Serif"));
        const auto* button = qobject_cast<const QPushButton*>(control);
        EXPECT_EQ(control->font().pixelSize(), qRound((button != nullptr ? 11 : 16) * scale));
        if (button != nullptr) {
            EXPECT_FALSE(button->autoDefault());
            EXPECT_FALSE(button->isDefault());
        }
    }
    // The members the rest of the program uses are the named controls.
    EXPECT_EQ(form.Button1->objectName(), QStringLiteral("Button1"));
    EXPECT_EQ(form.EditAngle->objectName(), QStringLiteral("EditAngle"));
    EXPECT_EQ(form.RadioButtonKochIs->objectName(), QStringLiteral("RadioButtonKochIs"));
    EXPECT_EQ(form.Label10->objectName(), QStringLiteral("Label10"));
}

TEST(Form1Layout, LabelsShowTheirWholeCaptionInTheSubstituteFont)
{
    const TForm1 form;
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        EXPECT_EQ(label->font().pixelSize(), qRound(16 * form.logicalDpiX() / 96.0));
    }
}

TEST(Form1Layout, WindowCaptionPositionAndOuterSize)
{
    TForm1 form;
    const double scale = form.logicalDpiX() / 96.0;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Control Panel"));
    // The position asked for; the offscreen platform then keeps windows clear of the screen's
    // left edge, so the end-to-end tests check where the window really goes.
    EXPECT_EQ(form.pos(), QPoint(-1, 36));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(20);
    // Measured with the frame, which the offscreen platform draws two pixels wide.
    EXPECT_EQ(form.frameGeometry().size(), QSize(qRound(415 * scale), qRound(448 * scale)));
    EXPECT_EQ(form.font().pixelSize(), qRound(11 * scale));
}

TEST_F(ShownForm, DrawHasTheFocusAtStart)
{
    EXPECT_EQ(QApplication::focusWidget(), form.Button1);
}

TEST_F(ShownForm, TabVisitsTheControlsInLayoutOrderStoppingOnlyAtTheCheckedPreset)
{
    std::vector<std::string> expected;
    for (const std::string& name : FocusOrder()) {
        if (name.rfind("RadioButton", 0) != 0 || name == "RadioButtonKochC")
            expected.push_back(name);
    }
    EXPECT_EQ(TabStops(), expected);
}

TEST_F(ShownForm, TheTabStopFollowsTheCheckedPreset)
{
    QTest::mouseClick(form.RadioButtonPlant2, Qt::LeftButton);
    ASSERT_TRUE(form.RadioButtonPlant2->isChecked());
    form.Button1->setFocus();
    const std::vector<std::string> stops = TabStops();
    EXPECT_NE(std::find(stops.begin(), stops.end(), "RadioButtonPlant2"), stops.end());
    EXPECT_EQ(std::find(stops.begin(), stops.end(), "RadioButtonKochC"), stops.end());
    EXPECT_EQ(std::count_if(stops.begin(), stops.end(),
                  [](const std::string& name) { return name.rfind("RadioButton", 0) == 0; }),
        1);
}

TEST_F(ShownForm, PresetsFormOneExclusiveGroupStartingWithKochCurve)
{
    const std::vector<QRadioButton*> group = { form.RadioButtonPlant1, form.RadioButtonPlant3,
        form.RadioButtonPlant2, form.RadioButtonSierp1, form.RadioButtonSierp2,
        form.RadioButtonPlant4, form.RadioButtonKochC, form.RadioButtonKochIs };
    const auto checked = [&group] {
        std::vector<QRadioButton*> on;
        for (QRadioButton* radio : group) {
            if (radio->isChecked())
                on.push_back(radio);
        }
        return on;
    };
    EXPECT_EQ(checked(), std::vector<QRadioButton*> { form.RadioButtonKochC });
    for (QRadioButton* radio : group) {
        SCOPED_TRACE(radio->objectName().toStdString());
        QTest::mouseClick(radio, Qt::LeftButton);
        EXPECT_EQ(checked(), std::vector<QRadioButton*> { radio });
        // Clicking the checked button keeps it checked.
        QTest::mouseClick(radio, Qt::LeftButton);
        EXPECT_EQ(checked(), std::vector<QRadioButton*> { radio });
    }
}

TEST_F(ShownForm, ArrowKeysMoveTheCheckWithinTheGroup)
{
    form.RadioButtonKochC->setFocus();
    QTest::keyClick(form.RadioButtonKochC, Qt::Key_Down);
    EXPECT_FALSE(form.RadioButtonKochC->isChecked());
    QWidget* moved = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<QRadioButton*>(moved), nullptr);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(moved)->isChecked());
    EXPECT_TRUE(moved->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(form.RadioButtonKochC->focusPolicy() & Qt::TabFocus);
}

// The panel shows the record's start-up values: the fields of the start-up curve.
TEST_F(ShownForm, FirstShowSetsTheActivationValues)
{
    EXPECT_EQ(form.ReadFields(), app::PanelFields {});
    EXPECT_TRUE(form.RadioButtonKochC->isChecked());
}

TEST_F(ShownForm, ComingBackToThePanelKeepsWhatTheUserTyped)
{
    QTest::mouseClick(form.RadioButtonPlant1, Qt::LeftButton);
    form.EditAxiom->setText(QStringLiteral("F+F"));
    form.EditY1->setText(QStringLiteral("-0.4"));
    form.SpinEdit1->setValue(7);

    ASSERT_TRUE(Activate(form.Draw2D()));
    ASSERT_TRUE(Activate(form));
    form.hide();
    form.show();
    ASSERT_TRUE(Activate(form));

    EXPECT_EQ(form.EditAxiom->text(), QStringLiteral("F+F"));
    EXPECT_EQ(form.EditY1->text(), QStringLiteral("-0.4"));
    EXPECT_EQ(form.SpinEdit1->value(), 7);
    EXPECT_TRUE(form.RadioButtonPlant1->isChecked());
}

TEST_F(ShownForm, SpinValueTypedBeyondTheBoundsIsBoundedBeforeAButtonActs)
{
    form.SpinEdit1->setFocus();
    form.SpinEdit1->selectAll();
    QTest::keyClicks(form.SpinEdit1, QStringLiteral("25"));
    EXPECT_EQ(form.SpinEdit1->text(), QStringLiteral("25"));
    QString seenByButton;
    QObject::connect(form.Button3, &QPushButton::clicked, form.Button3,
        [this, &seenByButton] { seenByButton = form.SpinEdit1->text(); });
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    EXPECT_EQ(seenByButton, QStringLiteral("10"));
    EXPECT_EQ(form.SpinEdit1->value(), 10);
}

TEST_F(ShownForm, LoneMinusInTheSpinFieldStaysAndReadsZero)
{
    form.SpinEdit1->setFocus();
    form.SpinEdit1->selectAll();
    QTest::keyClick(form.SpinEdit1, Qt::Key_Minus);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_EQ(form.SpinEdit1->text(), QStringLiteral("-"));
    EXPECT_EQ(form.SpinEdit1->value(), 0);
}

TEST_F(ShownForm, ExitEndsTheProgram)
{
    EXPECT_TRUE(ProgramEndsLoop([this] { QTest::mouseClick(form.Button4, Qt::LeftButton); }));
}

TEST_F(ShownForm, ClosingThePlaneEndsTheProgram)
{
    EXPECT_TRUE(ProgramEndsLoop([this] { form.Draw2D().close(); }));
}

TEST_F(ShownForm, ClosingThePanelOnlyHidesIt)
{
    EXPECT_FALSE(ProgramEndsLoop([this] { form.close(); }, 300));
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.Draw2D().isVisible());
    // The plane alone still ends the program.
    EXPECT_TRUE(ProgramEndsLoop([this] { form.Draw2D().close(); }));
}

TEST(Form1StartUp, ThePlaneIsCreatedAndShownBeforeThePanel)
{
    const TForm1 form;
    EXPECT_FALSE(form.isVisible());
    const plane::TDraw2D& plane = form.Draw2D();
    EXPECT_TRUE(plane.isVisible());
    EXPECT_EQ(plane.size(), QSize(700, 700));
    EXPECT_EQ(plane.plane().raster().width(), 700);
    EXPECT_EQ(plane.plane().raster().height(), 700);
}

} // namespace
