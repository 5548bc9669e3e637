// The control panel's commands and fields, each turned into a call on the drawing session.

#include "app/core/record/prepared_draw.h"
#include "app/core/record/rule_text.h"
#include "app/core/text/float_text.h"
#include "app/ui/error_box.h"
#include "app/ui/field_edits.h"
#include "app/ui/form1.h"
#include "app/ui/session_driver.h"
#include "app/ui/view_commands.h"

#include <QAction>
#include <QCoreApplication>

#include <exception>
#include <optional>

namespace app {

namespace {

// Each preset's radio button, in the order of the presets.
constexpr QRadioButton* PanelControls::*presetButtons[]
    = { &PanelControls::RadioButtonKochC, &PanelControls::RadioButtonKochIs,
          &PanelControls::RadioButtonSierp1, &PanelControls::RadioButtonSierp2,
          &PanelControls::RadioButtonPlant1, &PanelControls::RadioButtonPlant2,
          &PanelControls::RadioButtonPlant3, &PanelControls::RadioButtonPlant4 };

} // namespace

void TForm1::ConnectCommands()
{
    m_session = std::make_unique<DrawingSession>(Draw2D().plane());
    m_session->SetWindowListener([this](const WindowTexts& texts) { SetWindowFields(texts); });
    m_session->SetExploreListener([this] { ShowExplore(); });
    const auto guard = [this](const std::function<void()>& call) { RunGuarded(call); };
    m_driver = new SessionDriver(*m_session, guard, this);
    connect(m_driver, &SessionDriver::started, this, [this] { SetBusy(true); });
    connect(m_driver, &SessionDriver::progressed, this, &TForm1::ShowProgress);
    connect(m_driver, &SessionDriver::ended, this, [this] {
        SetBusy(false);
        emit drawingEnded();
    });

    const auto command = [this](auto call) { return [this, call] { RunGuarded(call); }; };
    connect(Button1, &QPushButton::clicked, this, command([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, command([this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, command([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, command([this] { Button4Click(); }));
    // A preset fills the fields when its button becomes checked; clicking the checked button
    // changes nothing.
    for (const Preset preset : AllPresets()) {
        connect(PresetButtonOf(preset), &QRadioButton::toggled, this, [=, this](bool checked) {
            if (checked && !m_fillingFields)
                RunGuarded([=, this] { PresetClick(preset); });
        });
    }

    plane::TDraw2D& plane = Draw2D();
    connect(&plane, &plane::TDraw2D::closeRequested, this, command([this] { EndProgram(); }));
    connect(&plane, &plane::TDraw2D::fitRequested, this, command([this] { FitToFigure(); }));
    new ViewCommands(
        plane, *m_driver, guard, [this] { return ReadFields(); },
        [this](const WorldWindow& window) { ShowWindow(window); }, this);
    AddCommand(QStringLiteral("Fit to Figure"), Qt::CTRL | Qt::Key_F, [this] { FitToFigure(); });
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TForm1::AddCommand(const QString& text, QKeyCombination key, const std::function<void()>& call)
{
    auto* action = new QAction(text, this);
    action->setShortcut(QKeySequence(key));
    connect(action, &QAction::triggered, this, [this, call] { RunGuarded(call); });
    addAction(action);
}

void TForm1::RunGuarded(const std::function<void()>& command)
{
    QLineEdit* failedField = nullptr;
    std::optional<std::size_t> failedRule;
    QString failure;
    try {
        command();
        return;
    } catch (const ExpressionError& error) {
        failedField = findChild<QLineEdit*>(QString::fromUtf8(FieldRowOf(error.field()).edit));
        failure = QString::fromUtf8(error.what());
    } catch (const RuleError& error) {
        failedRule = error.row();
        failure = QString::fromUtf8(error.what());
    } catch (const AngleError&) {
        // The record holds the angle as converted; the user is shown what they typed.
        failure = QString::fromUtf8(AngleError(EditAngle->text().toStdString()).what());
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = QStringLiteral("Unknown error");
    }
    m_driver->Stop();
    if (failedField)
        failedField->setFocus();
    if (failedRule)
        emit ruleFailed(*failedRule);
    ShowErrorBox(this, failure);
}

std::string TForm1::DecimalSeparator() const
{
    return locale().decimalPoint().toStdString();
}

bool TForm1::drawing() const
{
    return m_driver->busy();
}

QRadioButton* TForm1::PresetButtonOf(Preset preset) const
{
    return this->*presetButtons[static_cast<std::size_t>(preset)];
}

Preset TForm1::CheckedPreset() const
{
    for (const Preset preset : AllPresets()) {
        if (PresetButtonOf(preset)->isChecked())
            return preset;
    }
    return Preset::KochCurve;
}

PanelFields TForm1::ReadFields() const
{
    PanelFields fields;
    ReadFieldEdits(*this, DecimalSeparator(), fields);
    fields.substCount = SpinEdit1->value();
    fields.preset = CheckedPreset();
    fields.moreRules = m_moreRules;
    fields.commands = m_commands;
    return fields;
}

void TForm1::SetFields(const PanelFields& fields)
{
    WriteFieldEdits(*this, fields, DecimalSeparator());
    SpinEdit1->setValue(fields.substCount);
    m_fillingFields = true;
    PresetButtonOf(fields.preset)->setChecked(true);
    m_fillingFields = false;
    m_moreRules = fields.moreRules;
    m_commands = fields.commands;
    emit rulesSet();
    ShowTitle();
}

void TForm1::SetWindowFields(const WindowTexts& texts)
{
    const std::string separator = DecimalSeparator();
    const auto write = [&](QLineEdit* edit, const std::string& text) {
        edit->setText(QString::fromStdString(ChangeSeparator(text, ".", separator)));
    };
    write(EditX1, texts.x1);
    write(EditX2, texts.x2);
    write(EditY1, texts.y1);
    write(EditY2, texts.y2);
}

void TForm1::ShowWindow(const WorldWindow& window)
{
    SetWindowFields({ FloatToText(window.x1), FloatToText(window.x2), FloatToText(window.y1),
        FloatToText(window.y2) });
}

void TForm1::Button1Click()
{
    if (drawing())
        return;
    m_session->Draw(ReadFields());
    m_driver->Run();
}

void TForm1::FitToFigure()
{
    if (drawing())
        return;
    m_session->Fit(ReadFields());
    m_driver->Run();
}

void TForm1::Button2Click()
{
    m_driver->Stop();
}

void TForm1::Button3Click()
{
    m_driver->Stop();
    m_session->Clear();
}

void TForm1::Button4Click()
{
    EndProgram();
}
void TForm1::EndProgram()
{
    m_driver->Stop();
    QCoreApplication::exit(0);
}

void TForm1::PresetClick(Preset preset)
{
    PanelFields fields = ReadFields();
    ApplyPreset(preset, fields);
    SetFields(fields);
}

} // namespace app
