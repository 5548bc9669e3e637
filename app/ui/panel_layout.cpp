#include "app/ui/panel_layout.h"

#include "app/ui/spin_edit.h"

#include <QFontMetrics>
#include <QProgressBar>
#include <QStyle>

#include <algorithm>
#include <cstring>

namespace app {

namespace {

constexpr int ProgressSteps = 1000;

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

QSize PanelLayout::OuterSize() const
{
    return Scaled(0, 0, 415, 448).size();
}

QFont PanelLayout::Font(int pixelHeight) const
{
    // Qt's font substitution decides which face stands in where this one is missing.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(qRound(pixelHeight * m_scale));
    return font;
}

std::span<const PanelControl> PanelLayout::Controls()
{
    static constexpr PanelControl controls[] = {
        { "Button1", "Draw", { 16, 16, 75, 25 }, true },
        { "Button2", "Stop", { 184, 16, 75, 25 }, true },
        { "Button3", "Clear", { 96, 16, 75, 25 }, true },
        { "Button4", "Exit", { 264, 16, 75, 25 }, true },
        { "EditAxiom", "F", { 160, 56, 241, 28 }, true },
        { "EditRuleF", "F+F--F+F", { 160, 88, 241, 28 }, true },
        { "EditLength", "1/3", { 160, 184, 241, 28 }, true },
        { "EditAngle", "60", { 160, 152, 241, 28 }, true },
        { "SpinEdit1", "6", { 160, 296, 65, 30 }, true },
        { "RadioButtonPlant1", "Plant 1", { 120, 348, 81, 25 }, true },
        { "RadioButtonPlant3", "Plant 3", { 192, 347, 81, 25 }, true },
        { "RadioButtonPlant2", "Plant 2", { 120, 371, 81, 25 }, true },
        { "EditRandom", "0", { 312, 296, 89, 28 }, true },
        { "EditRuleG", "G", { 160, 120, 241, 28 }, true },
        { "EditX1", "-0.1", { 184, 224, 81, 28 }, true },
        { "EditY1", "-0.5", { 184, 256, 81, 28 }, true },
        { "EditX2", "1.1", { 272, 224, 89, 28 }, true },
        { "EditY2", "0.7", { 272, 256, 89, 28 }, true },
        { "RadioButtonSierp1", "Sierp. Curve 1", { 272, 352, 129, 17 }, true },
        { "RadioButtonSierp2", "Sierp. Curve 2", { 272, 376, 129, 17 }, true },
        { "RadioButtonPlant4", "Plant 4", { 192, 371, 73, 25 }, true },
        { "RadioButtonKochC", "Koch Curve", { 8, 352, 113, 17 }, true },
        { "RadioButtonKochIs", "Koch Island", { 8, 376, 113, 17 }, true },
        { "Label1", "Axiom", { 8, 56, 46, 20 }, false },
        { "Label2", "Production rule F->", { 8, 88, 142, 20 }, false },
        { "Label7", "Production rule G->", { 8, 120, 145, 20 }, false },
        { "Label4", "Angle", { 16, 160, 42, 20 }, false },
        { "Label3", "Length", { 16, 192, 51, 20 }, false },
        { "Label8", "2D Window", { 16, 224, 85, 20 }, false },
        { "Label9", "x", { 160, 224, 8, 20 }, false },
        { "Label10", "y", { 160, 256, 8, 20 }, false },
        { "Label5", "No of Subst.", { 16, 304, 90, 20 }, false },
        { "Label6", "Random", { 240, 304, 62, 20 }, false },
    };
    return controls;
}

const PanelControl& PanelLayout::ControlNamed(const char* name)
{
    const auto controls = Controls();
    const auto row = std::find_if(controls.begin(), controls.end(),
        [name](const PanelControl& control) { return std::strcmp(control.name, name) == 0; });
    Q_ASSERT(row != controls.end());
    return *row;
}

void PanelLayout::Place(QWidget* control, const PanelControl& row, int fontHeight) const
{
    control->setObjectName(QLatin1String(row.name));
    control->setGeometry(
        Scaled(row.place.left(), row.place.top(), row.place.width(), row.place.height()));
    if (fontHeight != WindowFontHeight)
        control->setFont(Font(fontHeight));
}

QPushButton* PanelLayout::AddButton(const char* name) const
{
    const PanelControl& row = ControlNamed(name);
    auto* button = new QPushButton(QLatin1String(row.text), &m_panel);
    Place(button, row, WindowFontHeight);
    // Enter presses no button on the panel's behalf, and Escape none either.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* PanelLayout::AddLabel(const char* name) const
{
    const PanelControl& row = ControlNamed(name);
    auto* label = new QLabel(QLatin1String(row.text), &m_panel);
    label->setTextFormat(Qt::PlainText);
    Place(label, row, FieldFontHeight);
    FitCaption(label, label->text(), label->width());
    return label;
}

QLineEdit* PanelLayout::AddEdit(const char* name) const
{
    const PanelControl& row = ControlNamed(name);
    auto* edit = new QLineEdit(QLatin1String(row.text), &m_panel);
    Place(edit, row, FieldFontHeight);
    return edit;
}

QRadioButton* PanelLayout::AddRadioButton(const char* name) const
{
    // All radio buttons of the panel share it as parent and so form one exclusive group. Of
    // the group only the checked button is a Tab stop; the others take the focus by a click or
    // by the arrow keys, which move through the group.
    const PanelControl& row = ControlNamed(name);
    auto* radio = new QRadioButton(QLatin1String(row.text), &m_panel);
    Place(radio, row, FieldFontHeight);
    const int indicator
        = radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio)
        + radio->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio);
    FitCaption(radio, radio->text(), radio->width() - indicator);
    radio->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(radio, &QRadioButton::toggled, radio, [radio](bool checked) {
        radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
    return radio;
}

QProgressBar* PanelLayout::CreateControls(PanelControls& f) const
{
    // Made in this order, which is the order in which they stack where they overlap.
    f.Button1 = AddButton("Button1");
    f.Button2 = AddButton("Button2");
    f.Button3 = AddButton("Button3");
    f.Button4 = AddButton("Button4");
    f.Label1 = AddLabel("Label1");
    f.Label2 = AddLabel("Label2");
    f.Label3 = AddLabel("Label3");
    f.Label4 = AddLabel("Label4");
    f.EditAxiom = AddEdit("EditAxiom");
    f.EditRuleF = AddEdit("EditRuleF");
    f.EditLength = AddEdit("EditLength");
    f.EditAngle = AddEdit("EditAngle");
    f.Label5 = AddLabel("Label5");
    const PanelControl& spin = ControlNamed("SpinEdit1");
    f.SpinEdit1 = new SpinEdit(0, 10, &m_panel);
    Place(f.SpinEdit1, spin, FieldFontHeight);
    f.SpinEdit1->setValue(QLatin1String(spin.text).toInt());
    f.RadioButtonPlant1 = AddRadioButton("RadioButtonPlant1");
    f.RadioButtonPlant3 = AddRadioButton("RadioButtonPlant3");
    f.RadioButtonPlant2 = AddRadioButton("RadioButtonPlant2");
    f.Label6 = AddLabel("Label6");
    f.EditRandom = AddEdit("EditRandom");
    f.Label7 = AddLabel("Label7");
    f.EditRuleG = AddEdit("EditRuleG");
    f.Label8 = AddLabel("Label8");
    f.Label9 = AddLabel("Label9");
    f.Label10 = AddLabel("Label10");
    f.EditX1 = AddEdit("EditX1");
    f.EditY1 = AddEdit("EditY1");
    f.EditX2 = AddEdit("EditX2");
    f.EditY2 = AddEdit("EditY2");
    f.RadioButtonSierp1 = AddRadioButton("RadioButtonSierp1");
    f.RadioButtonSierp2 = AddRadioButton("RadioButtonSierp2");
    f.RadioButtonPlant4 = AddRadioButton("RadioButtonPlant4");
    f.RadioButtonKochC = AddRadioButton("RadioButtonKochC");
    f.RadioButtonKochIs = AddRadioButton("RadioButtonKochIs");
    f.RadioButtonKochC->setChecked(true);

    // Not part of the layout: a slim bar in the free space below the presets, shown only while
    // a long task runs.
    auto* progress = new QProgressBar(&m_panel);
    progress->setObjectName(QStringLiteral("DrawProgress"));
    progress->setGeometry(Scaled(8, 402, 393, 8));
    progress->setRange(0, ProgressSteps);
    progress->setTextVisible(false);
    progress->setFocusPolicy(Qt::NoFocus);
    progress->hide();
    return progress;
}

void PanelLayout::SetTabOrder() const
{
    QWidget* previous = nullptr;
    for (const PanelControl& control : Controls()) {
        if (!control.takesFocus)
            continue;
        QWidget* const next
            = m_panel.findChild<QWidget*>(QLatin1String(control.name), Qt::FindDirectChildrenOnly);
        if (previous != nullptr)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

} // namespace app
