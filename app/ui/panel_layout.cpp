#include "app/ui/panel_layout.h"

#include "app/ui/form1.h"

#include <QFontMetrics>
#include <QProgressBar>
#include <QStyle>

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

QProgressBar* PanelLayout::CreateControls(TForm1& f) const
{
    f.Button1 = AddButton("Button1", "Draw", Scaled(16, 16, 75, 25));
    f.Button2 = AddButton("Button2", "Stop", Scaled(184, 16, 75, 25));
    f.Button3 = AddButton("Button3", "Clear", Scaled(96, 16, 75, 25));
    f.Button4 = AddButton("Button4", "Exit", Scaled(264, 16, 75, 25));
    f.Label1 = AddLabel("Label1", "Axiom", Scaled(8, 56, 46, 20));
    f.Label2 = AddLabel("Label2", "Production rule F->", Scaled(8, 88, 142, 20));
    f.Label3 = AddLabel("Label3", "Length", Scaled(16, 192, 51, 20));
    f.Label4 = AddLabel("Label4", "Angle", Scaled(16, 160, 42, 20));
    f.EditAxiom = AddEdit("EditAxiom", "F", Scaled(160, 56, 241, 28));
    f.EditRuleF = AddEdit("EditRuleF", "F+F--F+F", Scaled(160, 88, 241, 28));
    f.EditLength = AddEdit("EditLength", "1/3", Scaled(160, 184, 241, 28));
    f.EditAngle = AddEdit("EditAngle", "60", Scaled(160, 152, 241, 28));
    f.Label5 = AddLabel("Label5", "No of Subst.", Scaled(16, 304, 90, 20));
    f.SpinEdit1 = new SpinEdit(0, 10, &f);
    Place(f.SpinEdit1, "SpinEdit1", Scaled(160, 296, 65, 30), FieldFontHeight);
    f.SpinEdit1->setValue(6);
    f.RadioButtonPlant1 = AddRadioButton("RadioButtonPlant1", "Plant 1", Scaled(120, 348, 81, 25));
    f.RadioButtonPlant3 = AddRadioButton("RadioButtonPlant3", "Plant 3", Scaled(192, 347, 81, 25));
    f.RadioButtonPlant2 = AddRadioButton("RadioButtonPlant2", "Plant 2", Scaled(120, 371, 81, 25));
    f.Label6 = AddLabel("Label6", "Random", Scaled(240, 304, 62, 20));
    f.EditRandom = AddEdit("EditRandom", "0", Scaled(312, 296, 89, 28));
    f.Label7 = AddLabel("Label7", "Production rule G->", Scaled(8, 120, 145, 20));
    f.EditRuleG = AddEdit("EditRuleG", "G", Scaled(160, 120, 241, 28));
    f.Label8 = AddLabel("Label8", "2D Window", Scaled(16, 224, 85, 20));
    f.Label9 = AddLabel("Label9", "x", Scaled(160, 224, 8, 20));
    f.Label10 = AddLabel("Label10", "y", Scaled(160, 256, 8, 20));
    f.EditX1 = AddEdit("EditX1", "-0.1", Scaled(184, 224, 81, 28));
    f.EditY1 = AddEdit("EditY1", "-0.5", Scaled(184, 256, 81, 28));
    f.EditX2 = AddEdit("EditX2", "1.1", Scaled(272, 224, 89, 28));
    f.EditY2 = AddEdit("EditY2", "0.7", Scaled(272, 256, 89, 28));
    f.RadioButtonSierp1
        = AddRadioButton("RadioButtonSierp1", "Sierp. Curve 1", Scaled(272, 352, 129, 17));
    f.RadioButtonSierp2
        = AddRadioButton("RadioButtonSierp2", "Sierp. Curve 2", Scaled(272, 376, 129, 17));
    f.RadioButtonPlant4 = AddRadioButton("RadioButtonPlant4", "Plant 4", Scaled(192, 371, 73, 25));
    f.RadioButtonKochC = AddRadioButton("RadioButtonKochC", "Koch Curve", Scaled(8, 352, 113, 17));
    f.RadioButtonKochIs
        = AddRadioButton("RadioButtonKochIs", "Koch Island", Scaled(8, 376, 113, 17));
    f.RadioButtonKochC->setChecked(true);

    // Not part of the layout: a slim bar in the free space below the presets, shown only while
    // a long task runs.
    auto* progress = new QProgressBar(&f);
    progress->setObjectName(QStringLiteral("DrawProgress"));
    progress->setGeometry(Scaled(8, 402, 393, 8));
    progress->setRange(0, ProgressSteps);
    progress->setTextVisible(false);
    progress->setFocusPolicy(Qt::NoFocus);
    progress->hide();
    return progress;
}

void PanelLayout::SetTabOrder(TForm1& f) const
{
    QWidget* const order[] = { f.Button1, f.Button2, f.Button3, f.Button4, f.EditAxiom, f.EditRuleF,
        f.EditLength, f.EditAngle, f.SpinEdit1, f.RadioButtonPlant1, f.RadioButtonPlant3,
        f.RadioButtonPlant2, f.EditRandom, f.EditRuleG, f.EditX1, f.EditY1, f.EditX2, f.EditY2,
        f.RadioButtonSierp1, f.RadioButtonSierp2, f.RadioButtonPlant4, f.RadioButtonKochC,
        f.RadioButtonKochIs };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace app
