#include "app/ui/form1.h"

#include "app/ui/panel_layout.h"
#include "app/ui/session_driver.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QShowEvent>

namespace app {

namespace {

constexpr int progressSteps = 1000;

} // namespace

// The panel while a task runs: everything but Stop and Exit is disabled, the plane asks for
// nothing and the cursor shows that the program is busy, until the object goes.
class TForm1::Busy {
public:
    explicit Busy(TForm1& form)
        : m_form(form)
        , m_focused(QApplication::focusWidget())
    {
        SetInputEnabled(false);
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~Busy()
    {
        QApplication::restoreOverrideCursor();
        SetInputEnabled(true);
        m_form.m_progress->hide();
        if (m_focused && m_focused->isVisible())
            m_focused->setFocus();
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    void SetInputEnabled(bool enabled)
    {
        m_form.Button1->setEnabled(enabled);
        m_form.Button3->setEnabled(enabled);
        m_form.SpinEdit1->setEnabled(enabled);
        for (QLineEdit* edit : m_form.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
            edit->setEnabled(enabled);
        for (QRadioButton* radio : m_form.findChildren<QRadioButton*>())
            radio->setEnabled(enabled);
        for (QAction* action : m_form.actions())
            action->setEnabled(enabled);
        m_form.Draw2D().SetInteractive(enabled);
    }

    TForm1& m_form;
    QPointer<QWidget> m_focused;
};

TForm1::TForm1()
    : m_scale(static_cast<double>(logicalDpiX()) / PanelLayout::LayoutDpi)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Control Panel"));
    setFont(PanelLayout(*this, m_scale).Font(PanelLayout::WindowFontHeight));
    CreateControls();
    SetTabOrder();
    Button1->setFocus();

    move(-1, 36);
    m_outerSize = PanelLayout(*this, m_scale).Scaled(0, 0, 415, 448).size();
    ApplyOuterSize();

    SetDraw2D();
    ConnectCommands();
}

TForm1::~TForm1()
{
    // A task under way restores the panel as it ends: that happens while the panel is whole.
    m_driver->Stop();
    m_session.reset();
    m_draw2D.reset();
}

void TForm1::SetBusy(bool busy)
{
    if (busy)
        m_busy = std::make_unique<Busy>(*this);
    else
        m_busy.reset();
}

void TForm1::CreateControls()
{
    const PanelLayout layout(*this, m_scale);
    const auto Scaled = [&](int left, int top, int width, int height) {
        return layout.Scaled(left, top, width, height);
    };
    Button1 = layout.AddButton("Button1", "Draw", Scaled(16, 16, 75, 25));
    Button2 = layout.AddButton("Button2", "Stop", Scaled(184, 16, 75, 25));
    Button3 = layout.AddButton("Button3", "Clear", Scaled(96, 16, 75, 25));
    Button4 = layout.AddButton("Button4", "Exit", Scaled(264, 16, 75, 25));
    Label1 = layout.AddLabel("Label1", "Axiom", Scaled(8, 56, 46, 20));
    Label2 = layout.AddLabel("Label2", "Production rule F->", Scaled(8, 88, 142, 20));
    Label3 = layout.AddLabel("Label3", "Length", Scaled(16, 192, 51, 20));
    Label4 = layout.AddLabel("Label4", "Angle", Scaled(16, 160, 42, 20));
    EditAxiom = layout.AddEdit("EditAxiom", "F", Scaled(160, 56, 241, 28));
    EditRuleF = layout.AddEdit("EditRuleF", "F+F--F+F", Scaled(160, 88, 241, 28));
    EditLength = layout.AddEdit("EditLength", "1/3", Scaled(160, 184, 241, 28));
    EditAngle = layout.AddEdit("EditAngle", "60", Scaled(160, 152, 241, 28));
    Label5 = layout.AddLabel("Label5", "No of Subst.", Scaled(16, 304, 90, 20));
    SpinEdit1 = new SpinEdit(0, 10, this);
    layout.Place(SpinEdit1, "SpinEdit1", Scaled(160, 296, 65, 30), PanelLayout::FieldFontHeight);
    SpinEdit1->setValue(6);
    RadioButtonPlant1
        = layout.AddRadioButton("RadioButtonPlant1", "Plant 1", Scaled(120, 348, 81, 25));
    RadioButtonPlant3
        = layout.AddRadioButton("RadioButtonPlant3", "Plant 3", Scaled(192, 347, 81, 25));
    RadioButtonPlant2
        = layout.AddRadioButton("RadioButtonPlant2", "Plant 2", Scaled(120, 371, 81, 25));
    Label6 = layout.AddLabel("Label6", "Random", Scaled(240, 304, 62, 20));
    EditRandom = layout.AddEdit("EditRandom", "0", Scaled(312, 296, 89, 28));
    Label7 = layout.AddLabel("Label7", "Production rule G->", Scaled(8, 120, 145, 20));
    EditRuleG = layout.AddEdit("EditRuleG", "G", Scaled(160, 120, 241, 28));
    Label8 = layout.AddLabel("Label8", "2D Window", Scaled(16, 224, 85, 20));
    Label9 = layout.AddLabel("Label9", "x", Scaled(160, 224, 8, 20));
    Label10 = layout.AddLabel("Label10", "y", Scaled(160, 256, 8, 20));
    EditX1 = layout.AddEdit("EditX1", "-0.1", Scaled(184, 224, 81, 28));
    EditY1 = layout.AddEdit("EditY1", "-0.5", Scaled(184, 256, 81, 28));
    EditX2 = layout.AddEdit("EditX2", "1.1", Scaled(272, 224, 89, 28));
    EditY2 = layout.AddEdit("EditY2", "0.7", Scaled(272, 256, 89, 28));
    RadioButtonSierp1
        = layout.AddRadioButton("RadioButtonSierp1", "Sierp. Curve 1", Scaled(272, 352, 129, 17));
    RadioButtonSierp2
        = layout.AddRadioButton("RadioButtonSierp2", "Sierp. Curve 2", Scaled(272, 376, 129, 17));
    RadioButtonPlant4
        = layout.AddRadioButton("RadioButtonPlant4", "Plant 4", Scaled(192, 371, 73, 25));
    RadioButtonKochC
        = layout.AddRadioButton("RadioButtonKochC", "Koch Curve", Scaled(8, 352, 113, 17));
    RadioButtonKochIs
        = layout.AddRadioButton("RadioButtonKochIs", "Koch Island", Scaled(8, 376, 113, 17));
    RadioButtonKochC->setChecked(true);

    // Not part of the layout: a slim bar in the free space below the presets, shown only while
    // a long Draw runs.
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("DrawProgress"));
    m_progress->setGeometry(layout.Scaled(8, 402, 393, 8));
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

void TForm1::ApplyOuterSize()
{
    const QSize frame = frameGeometry().size() - size();
    resize(m_outerSize - frame);
}

void TForm1::SetDraw2D()
{
    m_draw2D = std::make_unique<plane::TDraw2D>();
    m_draw2D->resize(PlaneSize, PlaneSize);
    m_draw2D->SetPlaneSize(PlaneSize, PlaneSize);
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
    // The values the panel first shows: the fields' start-up values, but for the random
    // amplitude and the checked preset, which keep the layout's. They are set once: coming back
    // to the panel keeps what the user typed. Running at the first show covers a platform that
    // never activates the panel; elsewhere the first activation follows at once, before any
    // input can reach it.
    PanelFields startup;
    startup.random = EditRandom->text().toStdString();
    startup.preset = CheckedPreset();
    SetFields(startup);
}

} // namespace app
