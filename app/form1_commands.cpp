// The control panel's commands: Draw, Stop, Clear, Exit and the presets.

#include "app/error_box.h"
#include "app/form1.h"
#include "app/plane_canvas.h"
#include "app/running_draw.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>

#include <chrono>
#include <exception>

namespace app {

namespace {

// The share of a frame (16 ms) that a Draw takes each turn of the event loop; the rest is the
// screen's and the user's.
constexpr std::chrono::milliseconds sliceDuration { 8 };
// A Draw that runs longer than this shows its progress.
constexpr qint64 progressDelayMilliseconds = 500;

// Each preset's radio button, the figure it stands for and its handler.
struct PresetButton {
    QRadioButton* TForm1::*button;
    Preset preset;
    void (TForm1::*handler)();
};

constexpr PresetButton presetButtons[] = {
    { &TForm1::RadioButtonKochC, Preset::KochCurve, &TForm1::RadioButtonKochCClick },
    { &TForm1::RadioButtonKochIs, Preset::KochIsland, &TForm1::RadioButtonKochIsClick },
    { &TForm1::RadioButtonSierp1, Preset::Sierpinski1, &TForm1::RadioButtonSierp1Click },
    { &TForm1::RadioButtonSierp2, Preset::Sierpinski2, &TForm1::RadioButtonSierp2Click },
    { &TForm1::RadioButtonPlant1, Preset::Plant1, &TForm1::RadioButtonPlant1Click },
    { &TForm1::RadioButtonPlant2, Preset::Plant2, &TForm1::RadioButtonPlant2Click },
    { &TForm1::RadioButtonPlant3, Preset::Plant3, &TForm1::RadioButtonPlant3Click },
    { &TForm1::RadioButtonPlant4, Preset::Plant4, &TForm1::RadioButtonPlant4Click },
};

} // namespace

TForm1::RunningDraw::RunningDraw(TForm1& form)
    : m_form(form)
    , m_focused(QApplication::focusWidget())
{
    SetInputEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_clock.start();
}

TForm1::RunningDraw::~RunningDraw()
{
    QApplication::restoreOverrideCursor();
    SetInputEnabled(true);
    m_form.m_progress->hide();
    if (m_focused && m_focused->isVisible())
        m_focused->setFocus();
}

void TForm1::RunningDraw::SetInputEnabled(bool enabled)
{
    TForm1& f = m_form;
    QWidget* const input[] = { f.Button1, f.Button3, f.EditAxiom, f.EditRuleF, f.EditRuleG,
        f.EditLength, f.EditAngle, f.SpinEdit1, f.EditRandom, f.EditX1, f.EditX2, f.EditY1,
        f.EditY2, f.RadioButtonKochC, f.RadioButtonKochIs, f.RadioButtonSierp1, f.RadioButtonSierp2,
        f.RadioButtonPlant1, f.RadioButtonPlant2, f.RadioButtonPlant3, f.RadioButtonPlant4 };
    for (QWidget* widget : input)
        widget->setEnabled(enabled);
    for (QAction* action : f.m_idleActions)
        action->setEnabled(enabled);
}

void TForm1::RunGuarded(const std::function<void()>& command)
{
    QLineEdit* failedField = nullptr;
    QString failure;
    try {
        command();
        return;
    } catch (const ExpressionError& error) {
        failedField = FieldOf(error.field());
        failure = QString::fromUtf8(error.what());
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = QStringLiteral("Unknown error");
    }
    EndDrawing();
    if (failedField)
        failedField->setFocus();
    ShowErrorBox(this, failure);
}

void TForm1::ConnectCommands()
{
    connect(Button1, &QPushButton::clicked, this, Guarded(&TForm1::Button1Click));
    connect(Button2, &QPushButton::clicked, this, Guarded(&TForm1::Button2Click));
    connect(Button3, &QPushButton::clicked, this, Guarded(&TForm1::Button3Click));
    connect(Button4, &QPushButton::clicked, this, Guarded(&TForm1::Button4Click));
    connect(&m_sliceTimer, &QTimer::timeout, this, Guarded(&TForm1::AdvanceDrawing));
    connect(&Draw2D(), &plane::TDraw2D::closeRequested, this, Guarded(&TForm1::EndProgram));
    CreateMenus();

    // A preset's handler runs when its button becomes checked; clicking the checked button
    // changes nothing.
    for (const PresetButton& entry : presetButtons) {
        const auto handler = entry.handler;
        connect(this->*entry.button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked && !m_fillingFields)
                RunGuarded([this, handler] { (this->*handler)(); });
        });
    }
}

std::string TForm1::DecimalSeparator()
{
    return QLocale::system().decimalPoint().toStdString();
}

QRadioButton* TForm1::PresetButtonOf(Preset preset) const
{
    for (const PresetButton& entry : presetButtons) {
        if (entry.preset == preset)
            return this->*entry.button;
    }
    return RadioButtonKochC;
}

Preset TForm1::CheckedPreset() const
{
    for (const PresetButton& entry : presetButtons) {
        if ((this->*entry.button)->isChecked())
            return entry.preset;
    }
    return Preset::KochCurve;
}

PanelFields TForm1::ReadFields() const
{
    PanelFields input;
    input.x1 = EditX1->text().toStdString();
    input.x2 = EditX2->text().toStdString();
    input.y1 = EditY1->text().toStdString();
    input.y2 = EditY2->text().toStdString();
    input.axiom = EditAxiom->text().toStdString();
    input.ruleF = EditRuleF->text().toStdString();
    input.ruleG = EditRuleG->text().toStdString();
    input.length = EditLength->text().toStdString();
    input.angle = EditAngle->text().toStdString();
    input.substCount = SpinEdit1->value();
    input.random = EditRandom->text().toStdString();
    input.preset = CheckedPreset();
    return input;
}

QLineEdit* TForm1::FieldOf(ExpressionField field) const
{
    switch (field) {
    case ExpressionField::X1:
        return EditX1;
    case ExpressionField::X2:
        return EditX2;
    case ExpressionField::Y1:
        return EditY1;
    case ExpressionField::Y2:
        return EditY2;
    case ExpressionField::Length:
        return EditLength;
    case ExpressionField::Random:
        break;
    }
    return EditRandom;
}

void TForm1::Button1Click()
{
    if (m_running)
        return;
    const PanelFields input = ReadFields();
    plane::Plane& plane = Draw2D().plane();
    DrawnFigure figure { input, DecimalSeparator(), m_random.seed(),
        { plane.LineRed, plane.LineGreen, plane.LineBlue } };

    auto running = std::make_unique<RunningDraw>(*this);
    const lsystem::WalkStyle style = PrepareDraw(input, figure.decimalSeparator, plane, DrawParams);
    running->canvas = std::make_unique<PlaneCanvas>(plane);
    running->job.emplace(DrawParams, style, m_random, *running->canvas);
    m_figures.push_back(std::move(figure));
    Start(std::move(running));
}

void TForm1::FitToFigure()
{
    if (m_running)
        return;
    auto running = std::make_unique<RunningDraw>(*this);
    auto& measurement = *(running->measurement = std::make_unique<Measurement>());
    measurement.random = m_random;
    const lsystem::WalkStyle style = PrepareDraw(
        MeasuringFields(ReadFields()), DecimalSeparator(), measurement.plane, measurement.params);
    running->job.emplace(measurement.params, style, measurement.random, measurement.bounds);
    Start(std::move(running));
}

void TForm1::Start(std::unique_ptr<RunningDraw> running)
{
    m_running = std::move(running);
    m_sliceTimer.start(0);
    // The first slice at once: a small figure is done before the event loop runs again, and a
    // large one shows its first segments with the very next repaint.
    AdvanceDrawing();
}

void TForm1::AdvanceDrawing()
{
    if (!m_running)
        return;
    if (m_running->job->RunSlice(DrawJob::Clock::now() + sliceDuration)) {
        m_running->job.reset(); // the walk is complete
        const std::unique_ptr<Measurement> measurement = std::move(m_running->measurement);
        EndDrawing();
        if (measurement)
            FinishFit(*measurement);
        return;
    }
    ShowProgress();
}

void TForm1::ShowProgress()
{
    if (m_running->elapsed() < progressDelayMilliseconds)
        return;
    m_progress->setValue(static_cast<int>(m_running->job->progress() * m_progress->maximum()));
    m_progress->show();
}

void TForm1::EndDrawing()
{
    if (!m_running)
        return;
    m_sliceTimer.stop();
    // A figure that ends before its word does is remembered as far as it was drawn.
    if (m_running->job && !m_running->measurement)
        m_figures.back().symbolsWalked = m_running->job->symbolsWalked();
    m_running.reset();
    emit drawingEnded();
}

void TForm1::Button2Click()
{
    EndDrawing();
}

void TForm1::Button3Click()
{
    Draw2D().plane().ClearPlane(255, 255, 255);
    m_figures.clear();
}

void TForm1::Button4Click()
{
    EndProgram();
}

void TForm1::EndProgram()
{
    EndDrawing();
    QCoreApplication::exit(0);
}

void TForm1::ApplyPreset(Preset preset)
{
    PanelFields fields = ReadFields();
    app::ApplyPreset(preset, DecimalSeparator(), fields);
    SetFields(fields);
}

void TForm1::RadioButtonPlant1Click()
{
    ApplyPreset(Preset::Plant1);
}
void TForm1::RadioButtonPlant3Click()
{
    ApplyPreset(Preset::Plant3);
}
void TForm1::RadioButtonPlant2Click()
{
    ApplyPreset(Preset::Plant2);
}
void TForm1::RadioButtonSierp1Click()
{
    ApplyPreset(Preset::Sierpinski1);
}
void TForm1::RadioButtonSierp2Click()
{
    ApplyPreset(Preset::Sierpinski2);
}
void TForm1::RadioButtonPlant4Click()
{
    ApplyPreset(Preset::Plant4);
}
void TForm1::RadioButtonKochIsClick()
{
    ApplyPreset(Preset::KochIsland);
}
void TForm1::RadioButtonKochCClick()
{
    ApplyPreset(Preset::KochCurve);
}

} // namespace app
