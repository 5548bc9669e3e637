#include "app/ui/spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <limits>

namespace app {

SpinEdit::SpinEdit(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setValue(minimum);
}

std::optional<int> SpinEdit::ReadInteger(const QString& text)
{
    qsizetype start = 0;
    if (!text.isEmpty() && (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-')))
        start = 1;
    if (start == text.size())
        return std::nullopt;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

int SpinEdit::value() const
{
    return ReadInteger(text()).value_or(m_minimum);
}

void SpinEdit::setValue(int value)
{
    lineEdit()->setText(QString::number(Bounded(value)));
}

void SpinEdit::setMaximum(int maximum)
{
    const int current = value();
    m_maximum = maximum;
    setValue(current);
}

int SpinEdit::Bounded(long long value) const
{
    return static_cast<int>(std::clamp<long long>(value, m_minimum, m_maximum));
}

void SpinEdit::stepBy(int steps)
{
    // Summed in 64 bits: a typed value at the edge of the 32-bit range must not wrap around.
    lineEdit()->setText(QString::number(Bounded(static_cast<long long>(value()) + steps)));
    selectAll();
}

QValidator::State SpinEdit::validate(QString&, int&) const
{
    // Typing is filtered key by key; any text that results, or that is pasted, stays.
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    const int current = value();
    if (current < m_maximum)
        enabled |= StepUpEnabled;
    if (current > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

bool SpinEdit::Accepts(const QKeyEvent* event) const
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return false;
    const QString typed = event->text();
    // Keys that type nothing (arrows, Home, End, ...), control characters (Backspace, Escape)
    // and Ctrl shortcuts (the clipboard's, whatever text the platform gives them) edit rather
    // than type.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (typed.isEmpty() || typed[0] < QLatin1Char(' ') || typed[0] == QChar(0x7f)
        || ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)))
        return true;
    if (typed == locale().decimalPoint())
        return true;
    return std::all_of(typed.begin(), typed.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+')
            || c == QLatin1Char('-');
    });
}

void SpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (!Accepts(event)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    const std::optional<int> typed = ReadInteger(text());
    if (typed && Bounded(*typed) != *typed)
        setValue(*typed);
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace app
