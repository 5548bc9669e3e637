#pragma once

#include <QAbstractSpinBox>

#include <optional>

namespace app {

// A bounded integer field whose text is free: typing is filtered to digits, signs and the
// locale's decimal separator, but whatever text results stays as typed until the field loses
// the focus, when a value beyond the bounds is brought to the nearer bound. Its value is the
// text read as a decimal integer; a text that is not one reads as the lower bound. The buttons,
// the arrow keys and the value setter keep the value within the bounds.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    SpinEdit(int minimum, int maximum, QWidget* parent);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Moves the upper bound, bringing the value within it.
    void setMaximum(int maximum);

    int value() const;
    // Shows the value brought within the bounds.
    void setValue(int value);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

    // The text as a decimal integer: an optional sign and digits, within the 32-bit range.
    static std::optional<int> ReadInteger(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int Bounded(long long value) const;
    bool Accepts(const QKeyEvent* event) const;

    int m_minimum;
    int m_maximum;
};

} // namespace app
