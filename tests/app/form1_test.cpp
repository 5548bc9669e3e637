#include "app/ui/form1.h"
#include "app/ui/panel_layout.h"
#include "gui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
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

// The layout made on a bare window at a given scale, in the window's font as the panel sets it.
struct ScaledLayout {
    explicit ScaledLayout(double scale)
        : layout(window, scale)
    {
        window.setFont(layout.Font(app::PanelLayout::WindowFontHeight));
        progress = layout.CreateControls(controls);
    }
    const QWidget& Control(const app::PanelControl& row) const
    {
        return *window.findChild<QWidget*>(QLatin1String(row.name));
    }

    QWidget window;
    app::PanelLayout layout;
    app::PanelControls controls;
    QProgressBar* progress = nullptr;
};

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// Every control of the layout's table, and nothing else but the progress bar, sits on the panel
// under its name, with its text, inside the window; the buttons keep the window's font, the
// fields and labels a larger one of the same face.
TEST(Form1Layout, EveryControlOfTheTableIsOnThePanelWithItsText)
{
    const TForm1 form;
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
        EXPECT_TRUE(form.rect().contains(control->geometry()));
        EXPECT_EQ(control->font().family(), QStringLiteral("MS Sans Serif"));
        const auto* button = qobject_cast<const QPushButton*>(control);
        if (button != nullptr) {
            EXPECT_EQ(control->font().pixelSize(), form.font().pixelSize());
            EXPECT_FALSE(button->autoDefault());
            EXPECT_FALSE(button->isDefault());
        } else {
            EXPECT_GT(control->font().pixelSize(), form.font().pixelSize());
        }
    }
    // The members the rest of the program uses are the named controls.
    EXPECT_EQ(form.Button1->objectName(), QStringLiteral("Button1"));
    EXPECT_EQ(form.EditAngle->objectName(), QStringLiteral("EditAngle"));
    EXPECT_EQ(form.RadioButtonKochIs->objectName(), QStringLiteral("RadioButtonKochIs"));
    EXPECT_EQ(form.Label10->objectName(), QStringLiteral("Label10"));
}

// At 96 dots per inch the controls sit where the table puts them. At any scale they stay inside
// the window, in the same order left to right and top to bottom, overlapping only where the
// table's do, with every caption whole; and each control and font grows with the scale.
TEST(Form1Layout, TheLayoutKeepsItsShapeAtEveryScale)
{
    const auto rows = app::PanelLayout::Controls();
    std::vector<std::unique_ptr<ScaledLayout>> layouts;
    for (const double scale : { 1.0, 1.25, 1.5, 2.0, 3.0 }) {
        SCOPED_TRACE(scale);
        const ScaledLayout* smaller = layouts.empty() ? nullptr : layouts.back().get();
        const ScaledLayout& scaled = *layouts.emplace_back(std::make_unique<ScaledLayout>(scale));
        const QRect window(QPoint(), scaled.layout.OuterSize());
        EXPECT_TRUE(window.contains(scaled.progress->geometry()));
        for (const app::PanelControl& row : rows) {
            SCOPED_TRACE(row.name);
            const QWidget& control = scaled.Control(row);
            const QRect place = control.geometry();
            EXPECT_TRUE(window.contains(place));
            if (const auto* label = qobject_cast<const QLabel*>(&control)) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
            }
            if (smaller == nullptr) {
                EXPECT_EQ(place, row.place);
                continue;
            }
            const QRect before = smaller->Control(row).geometry();
            EXPECT_GE(place.left(), before.left());
            EXPECT_GE(place.top(), before.top());
            EXPECT_GT(place.width(), before.width());
            EXPECT_GT(place.height(), before.height());
            EXPECT_GT(control.font().pixelSize(), smaller->Control(row).font().pixelSize());
            for (const app::PanelControl& other : rows) {
                const QRect otherPlace = scaled.Control(other).geometry();
                EXPECT_EQ(Sign(place.left() - otherPlace.left()),
                    Sign(row.place.left() - other.place.left()))
                    << other.name;
                EXPECT_EQ(
                    Sign(place.top() - otherPlace.top()), Sign(row.place.top() - other.place.top()))
                    << other.name;
                EXPECT_EQ(place.intersects(otherPlace), row.place.intersects(other.place))
                    << other.name;
            }
        }
    }
}

TEST(Form1Layout, WindowCaptionPositionAndOuterSize)
{
    TForm1 form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Control Panel"));
    // The position asked for; the offscreen platform then keeps windows clear of the screen's
    // left edge, so the end-to-end tests check where the window really goes.
    EXPECT_EQ(form.pos(), QPoint(-1, 36));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(20);
    // Measured with the frame, which the offscreen platform draws two pixels wide.
    const ScaledLayout screen(form.logicalDpiX() / double(app::PanelLayout::LayoutDpi));
    EXPECT_EQ(form.frameGeometry().size(), screen.layout.OuterSize());
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
