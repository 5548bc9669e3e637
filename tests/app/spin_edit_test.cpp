#include "app/ui/spin_edit.h"
#include "gui_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>
#include <optional>

using app::SpinEdit;

namespace {

struct ReadRow {
    const char* name;
    const char* text;
    std::optional<int> value;
};

TEST(SpinEditRead, TextAsDecimalInteger)
{
    const ReadRow rows[] = {
        { "digits", "7", 7 },
        { "leading zeros", "007", 7 },
        { "plus sign", "+5", 5 },
        { "minus sign", "-3", -3 },
        { "beyond the upper bound", "25", 25 },
        { "largest 32-bit value", "2147483647", INT_MAX },
        { "smallest 32-bit value", "-2147483648", INT_MIN },
        { "beyond 32 bits", "2147483648", std::nullopt },
        { "empty", "", std::nullopt },
        { "lone minus", "-", std::nullopt },
        { "lone plus", "+", std::nullopt },
        { "two signs", "+-1", std::nullopt },
        { "decimal fraction", "1.5", std::nullopt },
        { "decimal comma", "1,5", std::nullopt },
        { "blank before", " 5", std::nullopt },
        { "blank after", "5 ", std::nullopt },
        { "hexadecimal", "0x10", std::nullopt },
        { "exponent", "1e1", std::nullopt },
        { "sign after digits", "5-", std::nullopt },
        { "non-Latin digit", "\xd9\xa3", std::nullopt },
    };
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SpinEdit::ReadInteger(QString::fromUtf8(row.text)), row.value);
    }
}

// The field in a window beside a text field that can take the focus from it.
class SpinEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        spin.setGeometry(0, 0, 65, 30);
        other.setGeometry(0, 40, 65, 30);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(Activate(window));
        spin.setFocus();
    }

    void Retype(const QString& text)
    {
        spin.selectAll();
        QTest::keyClick(&spin, Qt::Key_Delete);
        QTest::keyClicks(&spin, text);
    }

    QPoint ArrowButton(QStyle::SubControl which)
    {
        QStyleOptionSpinBox option;
        option.initFrom(&spin);
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
        option.buttonSymbols = spin.buttonSymbols();
        option.frame = spin.hasFrame();
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        return spin.style()->subControlRect(QStyle::CC_SpinBox, &option, which, &spin).center();
    }

    QWidget window;
    SpinEdit spin { 0, 10, &window };
    QLineEdit other { &window };
};

TEST_F(SpinEditTest, AnyNonIntegerReadsAsTheLowerBound)
{
    for (const char* text : { "-", "", "abc", "1.5", "99999999999" }) {
        SCOPED_TRACE(text);
        Retype(QLatin1String(text));
        EXPECT_EQ(spin.value(), 0);
    }
}

TEST_F(SpinEditTest, SetterKeepsTheValueWithinTheBounds)
{
    const std::pair<int, int> rows[] = { { 7, 7 }, { 0, 0 }, { 10, 10 }, { 25, 10 }, { -3, 0 },
        { INT_MAX, 10 }, { INT_MIN, 0 } };
    for (const auto& [set, shown] : rows) {
        SCOPED_TRACE(set);
        spin.setValue(set);
        EXPECT_EQ(spin.text(), QString::number(shown));
    }
}

struct KeyRow {
    const char* name;
    QLocale locale;
    char typed;
    bool accepted;
};

TEST_F(SpinEditTest, TypingIsFilteredKeyByKey)
{
    const QLocale point(QLocale::English, QLocale::UnitedStates);
    const QLocale comma(QLocale::Czech, QLocale::CzechRepublic);
    const KeyRow rows[] = {
        { "digit", point, '7', true },
        { "plus", point, '+', true },
        { "minus", point, '-', true },
        { "locale's decimal point", point, '.', true },
        { "locale's decimal comma", comma, ',', true },
        { "point where the locale writes a comma", comma, '.', false },
        { "comma where the locale writes a point", point, ',', false },
        { "letter", point, 'a', false },
        { "exponent letter", point, 'e', false },
        { "blank", point, ' ', false },
        { "asterisk", point, '*', false },
        { "slash", point, '/', false },
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.name);
        spin.setLocale(row.locale);
        spin.setValue(3);
        QTest::keyClick(&spin, Qt::Key_End);
        QTest::keyClick(&spin, row.typed);
        EXPECT_EQ(spin.text(),
            row.accepted ? QStringLiteral("3") + QLatin1Char(row.typed) : QStringLiteral("3"));
    }
}

TEST_F(SpinEditTest, EnterIsRefusedAndLeavesTheText)
{
    for (const Qt::Key key : { Qt::Key_Return, Qt::Key_Enter }) {
        SCOPED_TRACE(key);
        Retype(QStringLiteral("25"));
        QTest::keyClick(&spin, key);
        EXPECT_EQ(spin.text(), QStringLiteral("25"));
    }
}

TEST_F(SpinEditTest, EditingKeysAndTheClipboardWork)
{
    Retype(QStringLiteral("123"));
    QTest::keyClick(&spin, Qt::Key_Backspace);
    EXPECT_EQ(spin.text(), QStringLiteral("12"));
    QTest::keyClick(&spin, Qt::Key_Home);
    QTest::keyClick(&spin, Qt::Key_Delete);
    EXPECT_EQ(spin.text(), QStringLiteral("2"));
    // Pasted text is not filtered: it stays as it is and reads as the lower bound.
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    spin.selectAll();
    QTest::keyClick(&spin, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin.text(), QStringLiteral("abc"));
    EXPECT_EQ(spin.value(), 0);
}

struct StepRow {
    const char* name;
    const char* text;
    Qt::Key key;
    const char* result;
};

TEST_F(SpinEditTest, ArrowKeysStepWithinTheBounds)
{
    const StepRow rows[] = {
        { "up", "5", Qt::Key_Up, "6" },
        { "down", "5", Qt::Key_Down, "4" },
        { "up at the upper bound", "10", Qt::Key_Up, "10" },
        { "down at the lower bound", "0", Qt::Key_Down, "0" },
        { "down from beyond the upper bound", "25", Qt::Key_Down, "10" },
        { "up from beyond the lower bound", "-7", Qt::Key_Up, "0" },
        { "up from a text that is no number", "-", Qt::Key_Up, "1" },
        { "page up", "5", Qt::Key_PageUp, "10" },
        { "page down", "5", Qt::Key_PageDown, "0" },
    };
    for (const StepRow& row : rows) {
        SCOPED_TRACE(row.name);
        Retype(QLatin1String(row.text));
        QTest::keyClick(&spin, row.key);
        EXPECT_EQ(spin.text(), QLatin1String(row.result));
    }
}

TEST_F(SpinEditTest, ArrowButtonsStepWithinTheBounds)
{
    spin.setValue(9);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, ArrowButton(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(spin.text(), QStringLiteral("10"));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, ArrowButton(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(spin.text(), QStringLiteral("10"));
    spin.setValue(1);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, ArrowButton(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(spin.text(), QStringLiteral("0"));
    QTest::mouseClick(&spin, Qt::LeftButton, {}, ArrowButton(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(spin.text(), QStringLiteral("0"));
}

TEST_F(SpinEditTest, LosingTheFocusBringsAnOutOfBoundsValueToTheNearerBound)
{
    const std::pair<const char*, const char*> rows[] = {
        { "25", "10" },
        { "-4", "0" },
        { "+7", "+7" },
        { "-", "-" },
        { "99999999999", "99999999999" },
    };
    for (const auto& [typed, kept] : rows) {
        SCOPED_TRACE(typed);
        spin.setFocus();
        Retype(QLatin1String(typed));
        EXPECT_EQ(spin.text(), QLatin1String(typed));
        QTest::keyClick(&spin, Qt::Key_Tab);
        ASSERT_TRUE(other.hasFocus());
        EXPECT_EQ(spin.text(), QLatin1String(kept));
    }
}

} // namespace
