// The control panel's commands: Draw, Stop, Clear, Exit, Fit and the presets, the fields, and
// the requests of the plane window, each turned into a call on the drawing session.

#include "app/core/float_text.h"
#include "app/core/prepared_draw.h"
#include "app/ui/error_box.h"
#include "app/ui/file_commands.h"
#include "app/ui/form1.h"
#include "app/ui/session_driver.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLocale>

#include <cmath>
#include <exception>

namespace app {

namespace {

// How much one notch of the mouse wheel zooms.
constexpr double ZoomPerNotch = 1.25;

// Each preset's radio button, in the order of the presets.
constexpr QRadioButton* TForm1::*presetButtons[]
    = { &TForm1::RadioButtonKochC, &TForm1::RadioButtonKochIs, &TForm1::RadioButtonSierp1,
          &TForm1::RadioButtonSierp2, &TForm1::RadioButtonPlant1, &TForm1::RadioButtonPlant2,
          &TForm1::RadioButtonPlant3, &TForm1::RadioButtonPlant4 };

} // namespace

void TForm1::ConnectCommands()
{
    m_session = std::make_unique<DrawingSession>(Draw2D().plane());
    m_session->SetWindowListener([this](const WindowTexts& texts) { SetWindowFields(texts); });
    m_driver = new SessionDriver(
        *m_session, [this](const auto& slice) { RunGuarded(slice); }, this);
    connect(m_driver, &SessionDriver::started, this, [this] { SetBusy(true); });
    connect(m_driver, &SessionDriver::progressed, this, &TForm1::ShowProgress);
    connect(m_driver, &SessionDriver::ended, this, [this] {
        SetBusy(false);
        emit drawingEnded();
    });
    m_files = new FileCommands(*this, *m_driver);

    const auto guarded = [this](void (TForm1::*command)()) {
        return [this, command] { RunGuarded([this, command] { (this->*command)(); }); };
    };
    connect(Button1, &QPushButton::clicked, this, guarded(&TForm1::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(&TForm1::Button2Click));
    connect(Button3, &QPushButton::clicked, this, guarded(&TForm1::Button3Click));
    connect(Button4, &QPushButton::clicked, this, guarded(&TForm1::Button4Click));
    // A preset fills the fields when its button becomes checked; clicking the checked button
    // changes nothing.
    for (const Preset preset : AllPresets()) {
        connect(PresetButtonOf(preset), &QRadioButton::toggled, this, [this, preset](bool checked) {
            if (checked && !m_fillingFields)
                RunGuarded([this, preset] { PresetClick(preset); });
        });
    }

    plane::TDraw2D& plane = Draw2D();
    connect(&plane, &plane::TDraw2D::closeRequested, this, guarded(&TForm1::EndProgram));
    connect(&plane, &plane::TDraw2D::fitRequested, this, guarded(&TForm1::FitToFigure));
    connect(&plane, &plane::TDraw2D::zoomRequested, this, [this](QPointF at, double notches) {
        RunGuarded([&] {
            if (notches != 0.0
                && m_session->Zoom(
                    at.x(), at.y(), std::pow(ZoomPerNotch, notches), DecimalSeparator()))
                m_driver->Run();
        });
    });
    connect(&plane, &plane::TDraw2D::panRequested, this, [this](QPointF from, QPointF to) {
        RunGuarded([&] {
            if (m_session->Pan(from.x(), from.y(), to.x(), to.y(), DecimalSeparator()))
                m_driver->Run();
        });
    });
    m_files->Connect(plane);

    // The panel's own context menu; a file dropped on it, even over a text field, is opened.
    auto* fit = new QAction(QStringLiteral("Fit to Figure"), this);
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(fit, &QAction::triggered, this, guarded(&TForm1::FitToFigure));
    m_files->AddPanelCommands(*this);
    addAction(fit);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    setAcceptDrops(true);
    for (QWidget* target : findChildren<QLineEdit*>())
        target->installEventFilter(this);
    installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QWidget::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = plane::DraggedFile(drop->mimeData());
    if (file.isEmpty())
        return false;
    if (type != QEvent::Drop) {
        drop->setAccepted(!drawing());
        return true;
    }
    drop->acceptProposedAction();
    RunGuarded([this, file] {
        if (!drawing())
            m_files->OpenLSystem(file);
    });
    return true;
}

void TForm1::RunGuarded(const std::function<void()>& command)
{
    QLineEdit* failedField = nullptr;
    QString failure;
    try {
        command();
        return;
    } catch (const ExpressionError& error) {
        failedField = findChild<QLineEdit*>(QString::fromUtf8(FieldRowOf(error.field()).edit));
        failure = QString::fromUtf8(error.what());
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = QStringLiteral("Unknown error");
    }
    m_driver->Stop();
    if (failedField)
        failedField->setFocus();
    ShowErrorBox(this, failure);
}

std::string TForm1::DecimalSeparator()
{
    return QLocale::system().decimalPoint().toStdString();
}

bool TForm1::drawing() const
{
    return m_driver->running();
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
    for (const FieldRow& row : FieldTable) {
        if (row.text)
            fields.*row.text
                = findChild<QLineEdit*>(QString::fromUtf8(row.edit))->text().toStdString();
    }
    fields.substCount = SpinEdit1->value();
    fields.preset = CheckedPreset();
    return fields;
}

void TForm1::SetFields(const PanelFields& fields)
{
    for (const FieldRow& row : FieldTable) {
        if (row.text)
            findChild<QLineEdit*>(QString::fromUtf8(row.edit))
                ->setText(QString::fromStdString(fields.*row.text));
    }
    // Files and the command line write the angle with a point; the panel, with the user's
    // decimal separator.
    EditAngle->setText(
        QString::fromStdString(ChangeDecimalSeparator(fields.angle, ".", DecimalSeparator())));
    SpinEdit1->setValue(fields.substCount);
    m_fillingFields = true;
    PresetButtonOf(fields.preset)->setChecked(true);
    m_fillingFields = false;
}

void TForm1::SetWindowFields(const WindowTexts& texts)
{
    EditX1->setText(QString::fromStdString(texts.x1));
    EditX2->setText(QString::fromStdString(texts.x2));
    EditY1->setText(QString::fromStdString(texts.y1));
    EditY2->setText(QString::fromStdString(texts.y2));
}

void TForm1::ShowProgress(double share)
{
    m_progress->setValue(static_cast<int>(share * m_progress->maximum()));
    m_progress->show();
}

void TForm1::Button1Click()
{
    if (drawing())
        return;
    m_session->Draw(ReadFields(), DecimalSeparator());
    m_driver->Run();
}

void TForm1::FitToFigure()
{
    if (drawing())
        return;
    m_session->Fit(ReadFields(), DecimalSeparator());
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
    ApplyPreset(preset, DecimalSeparator(), fields);
    SetFields(fields);
}

} // namespace app
