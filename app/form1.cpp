#include "app/form1.h"

#include "app/running_draw.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QShowEvent>
#include <QStyle>

namespace app {

namespace {

// The layout's fonts: the window's own, used by the buttons, and the fields' and labels'.
constexpr int windowFontHeight = 11;
constexpr int fieldFontHeight = 16;
constexpr int layoutDpi = 96;
constexpr int progressSteps = 1000;

// The face that stands in for "MS Sans Serif" is often wider than the one the layout was made
// for. A caption that would be cut off by its box is set in a narrower width of the same face,
// down to this stretch (per cent).
constexpr int narrowestStretch = 70;

void FitCaption(QWidget* control, const QString& caption, int room)
{
    QFont font = control->font();
    for (int stretch = 100; stretch > narrowestStretch; stretch -= 5) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(caption) <= room)
            break;
    }
    control->setFont(font);
}

} // namespace

TForm1::TForm1()
    : m_scale(static_cast<double>(logicalDpiX()) / layoutDpi)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Control Panel"));
    setFont(ScaledFont(windowFontHeight));
    CreateControls();
    SetTabOrder();
    Button1->setFocus();

    move(-1, 36);
    m_outerSize = Scaled(0, 0, 415, 448).size();
    ApplyOuterSize();

    SetDraw2D();
    ConnectCommands();
}

TForm1::~TForm1()
{
    // A Draw under way restores the panel as it ends, and the plane window's last events reach
    // this panel's filter: both go while the panel is whole.
    m_running.reset();
    m_draw2D.reset();
}

void TForm1::CreateControls()
{
    Button1 = AddButton("Button1", "Draw", Scaled(16, 16, 75, 25));
    Button2 = AddButton("Button2", "Stop", Scaled(184, 16, 75, 25));
    Button3 = AddButton("Button3", "Clear", Scaled(96, 16, 75, 25));
    Button4 = AddButton("Button4", "Exit", Scaled(264, 16, 75, 25));
    Label1 = AddLabel("Label1", "Axiom", Scaled(8, 56, 46, 20));
    Label2 = AddLabel("Label2", "Production rule F->", Scaled(8, 88, 142, 20));
    Label3 = AddLabel("Label3", "Length", Scaled(16, 192, 51, 20));
    Label4 = AddLabel("Label4", "Angle", Scaled(16, 160, 42, 20));
    EditAxiom = AddEdit("EditAxiom", "F", Scaled(160, 56, 241, 28));
    EditRuleF = AddEdit("EditRuleF", "F+F--F+F", Scaled(160, 88, 241, 28));
    EditLength = AddEdit("EditLength", "1/3", Scaled(160, 184, 241, 28));
    EditAngle = AddEdit("EditAngle", "60", Scaled(160, 152, 241, 28));
    Label5 = AddLabel("Label5", "No of Subst.", Scaled(16, 304, 90, 20));
    SpinEdit1 = new SpinEdit(0, 10, this);
    Place(SpinEdit1, "SpinEdit1", Scaled(160, 296, 65, 30), fieldFontHeight);
    SpinEdit1->setValue(6);
    RadioButtonPlant1 = AddRadioButton("RadioButtonPlant1", "Plant 1", Scaled(120, 348, 81, 25));
    RadioButtonPlant3 = AddRadioButton("RadioButtonPlant3", "Plant 3", Scaled(192, 347, 81, 25));
    RadioButtonPlant2 = AddRadioButton("RadioButtonPlant2", "Plant 2", Scaled(120, 371, 81, 25));
    Label6 = AddLabel("Label6", "Random", Scaled(240, 304, 62, 20));
    EditRandom = AddEdit("EditRandom", "0", Scaled(312, 296, 89, 28));
    Label7 = AddLabel("Label7", "Production rule G->", Scaled(8, 120, 145, 20));
    EditRuleG = AddEdit("EditRuleG", "G", Scaled(160, 120, 241, 28));
    Label8 = AddLabel("Label8", "2D Window", Scaled(16, 224, 85, 20));
    Label9 = AddLabel("Label9", "x", Scaled(160, 224, 8, 20));
    Label10 = AddLabel("Label10", "y", Scaled(160, 256, 8, 20));
    EditX1 = AddEdit("EditX1", "-0.1", Scaled(184, 224, 81, 28));
    EditY1 = AddEdit("EditY1", "-0.5", Scaled(184, 256, 81, 28));
    EditX2 = AddEdit("EditX2", "1.1", Scaled(272, 224, 89, 28));
    EditY2 = AddEdit("EditY2", "0.7", Scaled(272, 256, 89, 28));
    RadioButtonSierp1
        = AddRadioButton("RadioButtonSierp1", "Sierp. Curve 1", Scaled(272, 352, 129, 17));
    RadioButtonSierp2
        = AddRadioButton("RadioButtonSierp2", "Sierp. Curve 2", Scaled(272, 376, 129, 17));
    RadioButtonPlant4 = AddRadioButton("RadioButtonPlant4", "Plant 4", Scaled(192, 371, 73, 25));
    RadioButtonKochC = AddRadioButton("RadioButtonKochC", "Koch Curve", Scaled(8, 352, 113, 17));
    RadioButtonKochIs = AddRadioButton("RadioButtonKochIs", "Koch Island", Scaled(8, 376, 113, 17));
    RadioButtonKochC->setChecked(true);

    // Not part of the layout: a slim bar in the free space below the presets, shown only while
    // a long Draw runs.
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("DrawProgress"));
    m_progress->setGeometry(Scaled(8, 402, 393, 8));
    m_progress->setRange(0, progressSteps);
    m_progress->setTextVisible(false);
    m_progress->setFocusPolicy(Qt::NoFocus);
    m_progress->hide();
}

void TForm1::SetTabOrder()
{
    QWidget* const order[] = { Button1, Button2, Button3, Button4, EditAxiom, EditRuleF, EditLength,
        EditAngle, SpinEdit1, RadioButtonPlant1, RadioButtonPlant3, RadioButtonPlant2, EditRandom,
        EditRuleG, EditX1, EditY1, EditX2, EditY2, RadioButtonSierp1, RadioButtonSierp2,
        RadioButtonPlant4, RadioButtonKochC, RadioButtonKochIs };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QRect TForm1::Scaled(int left, int top, int width, int height) const
{
    return QRect(qRound(left * m_scale), qRound(top * m_scale), qRound(width * m_scale),
        qRound(height * m_scale));
}

QFont TForm1::ScaledFont(int pixelHeight) const
{
    // Qt's font substitution decides which face stands in where this one is missing.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(qRound(pixelHeight * m_scale));
    return font;
}

void TForm1::Place(QWidget* control, const char* name, const QRect& geometry, int fontHeight)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    if (fontHeight != windowFontHeight)
        control->setFont(ScaledFont(fontHeight));
}

QPushButton* TForm1::AddButton(const char* name, const char* caption, const QRect& geometry)
{
    auto* button = new QPushButton(QLatin1String(caption), this);
    Place(button, name, geometry, windowFontHeight);
    // Enter presses no button on the panel's behalf, and Escape none either.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* TForm1::AddLabel(const char* name, const char* caption, const QRect& geometry)
{
    auto* label = new QLabel(QLatin1String(caption), this);
    label->setTextFormat(Qt::PlainText);
    Place(label, name, geometry, fieldFontHeight);
    FitCaption(label, label->text(), geometry.width());
    return label;
}

QLineEdit* TForm1::AddEdit(const char* name, const char* text, const QRect& geometry)
{
    auto* edit = new QLineEdit(QLatin1String(text), this);
    Place(edit, name, geometry, fieldFontHeight);
    return edit;
}

QRadioButton* TForm1::AddRadioButton(const char* name, const char* caption, const QRect& geometry)
{
    // All radio buttons of the panel share it as parent and so form one exclusive group. Of
    // the group only the checked button is a Tab stop; the others take the focus by a click or
    // by the arrow keys, which move through the group.
    auto* radio = new QRadioButton(QLatin1String(caption), this);
    Place(radio, name, geometry, fieldFontHeight);
    const int indicator
        = radio->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio)
        + radio->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio);
    FitCaption(radio, radio->text(), geometry.width() - indicator);
    radio->setFocusPolicy(Qt::ClickFocus);
    connect(radio, &QRadioButton::toggled, radio, [radio](bool checked) {
        radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
    return radio;
}

void TForm1::ApplyOuterSize()
{
    const QSize frame = frameGeometry().size() - size();
    resize(m_outerSize - frame);
}

void TForm1::SetDraw2D()
{
    m_draw2D = std::make_unique<plane::TDraw2D>();
    m_draw2D->resize(700, 700);
    m_draw2D->SetPlaneSize(700, 700);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    // The frame around the window is known only once the window is on the screen.
    QMetaObject::invokeMethod(this, &TForm1::ApplyOuterSize, Qt::QueuedConnection);
    FormActivate();
}

void TForm1::FormActivate()
{
    // The values the panel first shows. They are set once: coming back to the panel keeps what
    // the user typed. Running at the first show covers a platform that never activates the
    // panel; elsewhere the first activation follows at once, before any input can reach it.
    EditAxiom->setText(QStringLiteral("F"));
    EditRuleF->setText(QStringLiteral("F+F--F+F"));
    EditRuleG->setText(QStringLiteral("G"));
    EditLength->setText(QStringLiteral("1/3"));
    EditAngle->setText(QStringLiteral("60"));
    SpinEdit1->setValue(2);
    EditX1->setText(QStringLiteral("-0.1"));
    EditX2->setText(QStringLiteral("1.1"));
    EditY1->setText(QStringLiteral("-0.5"));
    EditY2->setText(QStringLiteral("0.7"));
}

} // namespace app
