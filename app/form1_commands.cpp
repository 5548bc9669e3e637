// The control panel's commands: Draw, Stop, Clear, Exit and the presets.

#include "app/error_box.h"
#include "app/form1.h"
#include "app/plane_canvas.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>

#include <functional>
#include <utility>

namespace app {

namespace {

// The plane is repainted and input taken this often while a figure is drawn.
constexpr qint64 frameMilliseconds = 16;

std::string DecimalSeparator()
{
    return QLocale::system().decimalPoint().toStdString();
}

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

// The plane's canvas, calling `progress` as the walk goes on.
class ProgressCanvas final : public lsystem::Canvas {
public:
    ProgressCanvas(plane::Plane& plane, std::function<void()> progress)
        : m_canvas(plane)
        , m_progress(std::move(progress))
    {
    }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        m_canvas.DrawSegment(start, end, colour, penWidth);
    }

private:
    PlaneCanvas m_canvas;
    std::function<void()> m_progress;
};

} // namespace

void TForm1::ConnectCommands()
{
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);

    // A preset's handler runs when its button becomes checked; clicking the checked button
    // changes nothing.
    for (const PresetButton& entry : presetButtons) {
        const auto handler = entry.handler;
        connect(this->*entry.button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    }
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

void TForm1::SetInputEnabled(bool enabled)
{
    QWidget* const input[] = { Button1, Button3, EditAxiom, EditRuleF, EditRuleG, EditLength,
        EditAngle, SpinEdit1, EditRandom, EditX1, EditX2, EditY1, EditY2, RadioButtonKochC,
        RadioButtonKochIs, RadioButtonSierp1, RadioButtonSierp2, RadioButtonPlant1,
        RadioButtonPlant2, RadioButtonPlant3, RadioButtonPlant4 };
    for (QWidget* widget : input)
        widget->setEnabled(enabled);
}

void TForm1::ShowProgress()
{
    if (m_sinceFrame.elapsed() < frameMilliseconds)
        return;
    m_sinceFrame.start();
    Draw2D().RepaintChanged();
    // Delivers a click on Stop or Exit; the walk checks the stop flag before its next symbol.
    QCoreApplication::processEvents();
}

void TForm1::Button1Click()
{
    if (m_drawing)
        return;
    const PanelFields input = ReadFields();
    QWidget* const focused = QApplication::focusWidget();

    // While the figure is drawn only Stop and Exit act: the rest of the panel is disabled.
    m_drawing = true;
    SetInputEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QLineEdit* failedField = nullptr;
    QString failure;
    try {
        ProgressCanvas canvas(Draw2D(), [this] { ShowProgress(); });
        m_sinceFrame.start();
        RunDraw(input, DecimalSeparator(), { Draw2D(), DrawParams, m_random }, canvas);
    } catch (const ExpressionError& error) {
        failedField = FieldOf(error.field());
        failure = QString::fromUtf8(error.what());
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    QApplication::restoreOverrideCursor();
    SetInputEnabled(true);
    m_drawing = false;
    Draw2D().UpdateChanged();

    if (failedField)
        failedField->setFocus();
    else if (focused && focused->isVisible())
        focused->setFocus();
    if (!failure.isEmpty())
        ShowErrorBox(this, failure);
}

void TForm1::Button2Click()
{
    DrawParams.StopFlag = true;
}

void TForm1::Button3Click()
{
    Draw2D().ClearPlane(255, 255, 255);
}

void TForm1::Button4Click()
{
    EndProgram();
}

void TForm1::EndProgram()
{
    DrawParams.StopFlag = true;
    QCoreApplication::exit(0);
}

void TForm1::ApplyPreset(Preset preset)
{
    const PresetFields fields = PresetValues(preset, DecimalSeparator());
    EditAxiom->setText(QString::fromStdString(fields.axiom));
    EditRuleF->setText(QString::fromStdString(fields.ruleF));
    EditRuleG->setText(QString::fromStdString(fields.ruleG));
    EditLength->setText(QString::fromStdString(fields.length));
    EditAngle->setText(QString::fromStdString(fields.angle));
    if (fields.substCount)
        SpinEdit1->setValue(*fields.substCount);
    EditX1->setText(QString::fromStdString(fields.x1));
    EditX2->setText(QString::fromStdString(fields.x2));
    EditY1->setText(QString::fromStdString(fields.y1));
    EditY2->setText(QString::fromStdString(fields.y2));
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
