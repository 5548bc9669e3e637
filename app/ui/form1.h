#pragma once

#include "app/core/record/presets.h"
#include "app/core/session/drawing_session.h"
#include "app/ui/held_fields.h"
#include "app/ui/panel_controls.h"
#include "plane/draw2d.h"

#include <QKeyCombination>
#include <QList>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app {

class BusyState;
class SessionDriver;

// The "Control Panel" window: the fields of an L-system and the four commands and eight preset
// figures. While it is created it creates the plane window, the program's main window, whose
// closing ProgramWindows turns into "Exit"; closing the panel only hides it. Its layout is
// given at 96 dots per inch and scales with the screen's logical resolution. The windows beside
// it (ProgramWindows) add their commands to its context menu and follow its signals.
//
// The panel turns its input into calls on the drawing session, which owns what is drawn; the
// session's tasks run a slice each turn of the event loop, and while one runs only Stop and Exit
// act.
class TForm1 : public QWidget, public PanelControls {
    Q_OBJECT

public:
    TForm1();
    ~TForm1() override;

    // The graphic plane, created with the panel and living as long as it does.
    plane::TDraw2D& Draw2D() const { return *m_draw2D; }
    DrawingSession& session() { return *m_session; }
    SessionDriver& driver() { return *m_driver; }
    const std::vector<DrawnFigure>& figures() const { return m_session->figures(); }
    // Whether a task of the session (a Draw, Fit, a view change, a picture) is under way; an
    // Explore refinement, which every command ends, is not waited for.
    bool drawing() const;

    // Runs a command of the program. Whatever it throws ends a running task, restores the panel
    // and the cursor, and is shown in the program's error box; nothing reaches Qt. The field of
    // a failing expression takes the focus; a failing rule is told (ruleFailed) first.
    void RunGuarded(const std::function<void()>& command);
    // Adds a command, run guarded, to the panel's context menu with its shortcut.
    void AddCommand(const QString& text, QKeyCombination key, const std::function<void()>& call);
    // A window whose input is disabled with the panel's while a task runs.
    void DisableWhileBusy(QWidget& window) { m_busyWindows << &window; }

    // The fields and the checked preset as the panel shows them, and filling them all at once
    // (checking the preset without its handler filling the fields); see field_edits.h. It holds
    // the rest (held_fields.h); the count's maximum follows the command set.
    PanelFields ReadFields() const;
    void SetFields(const PanelFields& fields);
    const std::vector<RuleText>& moreRules() const { return m_held.moreRules; }
    lsystem::CommandSet commands() const { return m_held.commands; }
    void SetMoreRules(const std::vector<RuleText>& rules);
    void UsePanelCommands();
    // Writes a window the view moved to into the window fields.
    void ShowWindow(const WorldWindow& window);

signals:
    // A task has ended: at its end, by Stop, by a fault or by the program's end.
    void drawingEnded();
    // SetFields has set the more rules and the command set.
    void rulesSet();
    // A command failed on the rule of that number (from 1), as a RuleError numbers it.
    void ruleFailed(std::size_t row);
    // A preset or Fit is about to replace many fields at once (the way back records them).
    void fieldsReplacing();

public slots:
    void Button1Click(); // "Draw": draws the fields' figure over what the plane shows
    void Button2Click(); // "Stop": the running task ends at once; what it drew stays
    void Button3Click(); // "Clear": whitens the plane and forgets its figures
    // "Exit", and closing the plane: ends the event loop, and with it the program.
    void Button4Click() { EndProgram(); }
    void EndProgram();
    // "Fit to Figure": measures the figure the fields describe without drawing it, sets the
    // window fields to its bounds with a margin, clears the plane and draws it.
    void FitToFigure();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetDraw2D();
    void FormActivate();
    void ConnectCommands();
    void PresetClick(Preset preset);
    // The decimal separator of the panel's locale (the user's): the edits show the angle and
    // the window's bounds with it, where the session holds them with a point.
    std::string DecimalSeparator() const;
    void ApplyOuterSize();
    void ShowProgress(double share);
    void SetBusy(bool busy);
    void ShowTitle();
    // Shows whether the plane explores, in both windows.
    void ShowExplore();

    QSize m_outerSize;
    bool m_activated = false;
    std::unique_ptr<plane::TDraw2D> m_draw2D;
    std::unique_ptr<DrawingSession> m_session;
    SessionDriver* m_driver = nullptr;
    std::unique_ptr<BusyState> m_busy; // the panel's state while a task runs
    QList<QPointer<QWidget>> m_busyWindows;
    QProgressBar* m_progress = nullptr; // shown below the presets while a long task runs
    bool m_fillingFields = false; // SetFields checks a preset without its handler acting
    HeldFields m_held;
};

} // namespace app
