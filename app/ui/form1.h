#pragma once

#include "app/core/drawing_session.h"
#include "app/core/presets.h"
#include "app/core/world_window.h"
#include "app/ui/spin_edit.h"
#include "plane/draw2d.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app {

class FileCommands;
class SessionDriver;

// The "Control Panel" window: the fields of an L-system and the four commands and eight preset
// figures. While it is created it creates the plane window, the program's main window, so
// closing the plane ends the program as "Exit" does; closing the panel only hides it. Its layout
// is given at 96 dots per inch and scales with the screen's logical resolution.
//
// The panel turns its input and the plane's requests into calls on the drawing session, which
// owns what is drawn; the session's tasks run a slice each turn of the event loop, and while one
// runs only Stop and Exit act.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    TForm1();
    ~TForm1() override;

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* EditAxiom = nullptr;
    QLineEdit* EditRuleF = nullptr;
    QLineEdit* EditLength = nullptr;
    QLineEdit* EditAngle = nullptr;
    QLabel* Label5 = nullptr;
    SpinEdit* SpinEdit1 = nullptr;
    QRadioButton* RadioButtonPlant1 = nullptr;
    QRadioButton* RadioButtonPlant3 = nullptr;
    QRadioButton* RadioButtonPlant2 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* EditRandom = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* EditRuleG = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* EditX1 = nullptr;
    QLineEdit* EditY1 = nullptr;
    QLineEdit* EditX2 = nullptr;
    QLineEdit* EditY2 = nullptr;
    QRadioButton* RadioButtonSierp1 = nullptr;
    QRadioButton* RadioButtonSierp2 = nullptr;
    QRadioButton* RadioButtonPlant4 = nullptr;
    QRadioButton* RadioButtonKochC = nullptr;
    QRadioButton* RadioButtonKochIs = nullptr;

    // The graphic plane, created with the panel and living as long as it does.
    plane::TDraw2D& Draw2D() const { return *m_draw2D; }
    DrawingSession& session() { return *m_session; }
    FileCommands& files() { return *m_files; }

    // The preset whose radio button is checked.
    Preset CheckedPreset() const;
    // Whether a task of the session (a Draw, Fit, a view change, a picture) is under way.
    bool drawing() const;
    // The figures drawn on the plane since the last Clear, oldest first.
    const std::vector<DrawnFigure>& figures() const { return m_session->figures(); }

    // Runs a command of the program. Whatever it throws ends a running task, restores the panel
    // and the cursor, and is shown in the program's error box; nothing reaches Qt.
    void RunGuarded(const std::function<void()>& command);

    // The fields and the checked preset as the panel shows them (the angle with the user's
    // decimal separator), and filling them all at once (checking the preset without its handler
    // filling the fields; an angle written with a point is shown with the user's separator).
    PanelFields ReadFields() const;
    void SetFields(const PanelFields& fields);
    // The user's decimal separator: the angle is read and window bounds are written with it.
    static std::string DecimalSeparator();

signals:
    // A task has ended: at its end, by Stop, by a fault or by the program's end.
    void drawingEnded();

public slots:
    // "Draw": starts drawing the fields' figure over what the plane shows.
    void Button1Click();
    // "Stop": the running task ends at once; what it drew stays.
    void Button2Click();
    // "Clear": whitens the plane and forgets its figures.
    void Button3Click();
    // "Exit".
    void Button4Click();
    // Ends the event loop, and with it the program: "Exit" and closing the plane come here.
    void EndProgram();
    // "Fit to Figure": measures the figure the fields describe without drawing it, sets the
    // window fields to its bounds with a margin, clears the plane and draws it.
    void FitToFigure();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Busy;

    void CreateControls();
    void SetTabOrder();
    void SetDraw2D();
    void FormActivate();
    void ConnectCommands();
    void PresetClick(Preset preset);
    QRadioButton* PresetButtonOf(Preset preset) const;
    void SetWindowFields(const WindowTexts& texts);
    void ApplyOuterSize();
    void ShowProgress(double share);
    void SetBusy(bool busy);

    double m_scale = 1.0;
    QSize m_outerSize;
    bool m_activated = false;
    std::unique_ptr<plane::TDraw2D> m_draw2D;
    std::unique_ptr<DrawingSession> m_session;
    SessionDriver* m_driver = nullptr;
    FileCommands* m_files = nullptr;
    std::unique_ptr<Busy> m_busy; // the panel's state while a task runs
    QProgressBar* m_progress = nullptr; // shown below the presets while a long task runs
    bool m_fillingFields = false; // SetFields checks a preset without its handler acting
};

} // namespace app
