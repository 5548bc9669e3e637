#include "app/ui/panel_layout.h"

#include <QFontMetrics>
#include <QStyle>

namespace app {

namespace {

// The face that stands in for "MS Sans Serif" is often wider than the one the layout was made
// for. A caption that would be cut off by its box is set in a narrower width of the same face,
// in steps of 5 down to this stretch (per cent).
constexpr int narrowestStretch = 75;

void FitCaption(QWidget* control, const QString& caption, int room)
{
    QFont font = control->font();
    for (int stretch = 100; stretch >= narrowestStretch; stretch -= 5) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(caption) <= room)
            break;
    }
    control->setFont(font);
}

} // namespace

PanelLayout::PanelLayout(QWidget& panel, double scale)
    : m_panel(panel)
    , m_scale(scale)
{
}

QRect PanelLayout::Scaled(int left, int top, int width, int height) const
{
    return QRect(qRound(left * m_scale), qRound(top * m_scale), qRound(width * m_scale),
        qRound(height * m_scale));
}

QFont PanelLayout::Font(int pixelHeight) const
{
    // Qt's font substitution decides which face stands in where this one is missing.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(qRound(pixelHeight * m_scale));
    return font;
}

void PanelLayout::Place(
    QWidget* control, const char* name, const QRect& geometry, int fontHeight) const
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    if (fontHeight != WindowFontHeight)
        control->setFont(Font(fontHeight));
}

QPushButton* PanelLayout::AddButton(
    const char* name, const char* caption, const QRect& geometry) const
{
    auto* button = new QPushButton(QLatin1String(caption), &m_panel);
    Place(button, name, geometry, WindowFontHeight);
    // Enter presses no button on the panel's behalf, and Escape none either.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* PanelLayout::AddLabel(const char* name, const char* caption, const QRect& geometry) const
{
    auto* label = new QLabel(QLatin1String(caption), &m_panel);
    label->setTextFormat(Qt::PlainText);
    Place(label, name, geometry, FieldFontHeight);
    FitCaption(label, label->text(), geometry.width());
    return label;
}

QLineEdit* PanelLayout::AddEdit(const char* name, const char* text, const QRect& geometry) const
{
    auto* edit = new QLineEdit(QLatin1String(text), &m_panel);
    Place(edit, name, geometry, FieldFontHeight);
    return edit;
}

QRadioButton* PanelLayout::AddRadioButton(
    const char* name, const char* caption, const QRect& geometry) const
{
    // All radio buttons of the panel share it as parent and so form one exclusive group. Of
    // the group only the checked button is a Tab stop; the others take the focus by a click or
    // by the arrow keys, which move through the group.
    auto* radio = new QRadioButton(QLatin1String(caption), &m_panel);
    Place(radio, name, geometry, FieldFontHeight);
    const int indicator
        = radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio)
        + radio->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio);
    FitCaption(radio, radio->text(), geometry.width() - indicator);
    radio->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(radio, &QRadioButton::toggled, radio, [radio](bool checked) {
        radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
    return radio;
}

} // namespace app
