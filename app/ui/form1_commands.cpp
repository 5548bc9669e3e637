// The control panel's commands and fields, each turned into a call on the drawing session.

#include "app/ui/command_failure.h"
#include "app/ui/error_box.h"
#include "app/ui/field_edits.h"
#include "app/ui/form1.h"
#include "app/ui/session_driver.h"

#include <QAction>
#include <QCoreApplication>

namespace app {

void TForm1::ConnectCommands()
{
    m_session = std::make_unique<DrawingSession>(Draw2D().plane());
    m_session->SetWindowListener(
        [this](const WindowTexts& texts) { WriteWindowEdits(*this, texts, DecimalSeparator()); });
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
    CommandFailure failure;
    try {
        command();
        return;
    } catch (...) {
        failure = CurrentFailure(EditAngle->text().toStdString());
    }
    m_driver->Stop();
    if (failure.field)
        findChild<QLineEdit*>(QString::fromUtf8(FieldRowOf(*failure.field).edit))->setFocus();
    if (failure.rule)
        emit ruleFailed(*failure.rule);
    ShowErrorBox(this, QString::fromStdString(failure.message));
}

std::string TForm1::DecimalSeparator() const
{
    return locale().decimalPoint().toStdString();
}

bool TForm1::drawing() const
{
    return m_driver->busy();
}

PanelFields TForm1::ReadFields() const
{
    PanelFields fields;
    ReadFieldEdits(*this, DecimalSeparator(), fields);
    fields.substCount = SpinEdit1->value();
    fields.preset = CheckedPreset();
    m_held.WriteInto(fields);
    return fields;
}

void TForm1::SetFields(const PanelFields& fields)
{
    WriteFieldEdits(*this, fields, DecimalSeparator());
    SpinEdit1->setMaximum(MaxSubstitutionsOf(fields.commands));
    SpinEdit1->setValue(fields.substCount);
    m_fillingFields = true;
    PresetButtonOf(fields.preset)->setChecked(true);
    m_fillingFields = false;
    m_held.Take(fields);
    emit rulesSet();
    ShowTitle();
}

void TForm1::ShowWindow(const WorldWindow& window)
{
    WriteWindowEdits(*this, window, DecimalSeparator());
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
    emit fieldsReplacing();
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

void TForm1::EndProgram()
{
    m_driver->Stop();
    QCoreApplication::exit(0);
}

void TForm1::PresetClick(Preset preset)
{
    emit fieldsReplacing();
    PanelFields fields = ReadFields();
    ApplyPreset(preset, fields);
    SetFields(fields);
}

} // namespace app
