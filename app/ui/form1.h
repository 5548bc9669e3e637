#pragma once

#include "app/core/record/presets.h"
#include "app/core/record/world_window.h"
#include "app/core/session/drawing_session.h"
#include "app/ui/spin_edit.h"
#include "plane/draw2d.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app {

class BusyState;
class FileCommands;
class GalleryWindow;
class RulesWindow;
class SessionDriver;

// The "Control Panel" window: the fields of an L-system and the four commands and eight preset
// figures; the rules beyond its F and G fields are edited in its Rules window. While it is created
// it creates the plane window, the program's main window, so closing the plane ends the program as
// "Exit" does; closing the panel only hides it. Its layout is given at 96 dots per inch and scales
// with the screen's logical resolution.
//
// The panel turns its input and the plane's requests into calls on the drawing session, which
// owns what is drawn; the session's tasks run a slice each turn of the event loop, and while one
// runs only Stop and Exit act.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    TForm1();
    ~TForm1() override;

    // The controls, named as the layout names them.
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
           *Label9 = nullptr, *Label10 = nullptr;
    QLineEdit *EditAxiom = nullptr, *EditRuleF = nullptr, *EditRuleG = nullptr,
              *EditLength = nullptr, *EditAngle = nullptr, *EditRandom = nullptr;
    QLineEdit *EditX1 = nullptr, *EditY1 = nullptr, *EditX2 = nullptr, *EditY2 = nullptr;
    SpinEdit* SpinEdit1 = nullptr;
    QRadioButton *RadioButtonKochC = nullptr, *RadioButtonKochIs = nullptr,
                 *RadioButtonSierp1 = nullptr, *RadioButtonSierp2 = nullptr,
                 *RadioButtonPlant1 = nullptr, *RadioButtonPlant2 = nullptr,
                 *RadioButtonPlant3 = nullptr, *RadioButtonPlant4 = nullptr;

    // The graphic plane, created with the panel and living as long as it does.
    plane::TDraw2D& Draw2D() const { return *m_draw2D; }
    DrawingSession& session() { return *m_session; }
    const std::vector<DrawnFigure>& figures() const { return m_session->figures(); }
    FileCommands& files() { return *m_files; }
    Preset CheckedPreset() const;
    // Whether a task of the session (a Draw, Fit, a view change, a picture) is under way; an
    // Explore refinement, which every command ends, is not waited for.
    bool drawing() const;

    // Runs a command of the program. Whatever it throws ends a running task, restores the panel
    // and the cursor, and is shown in the program's error box; nothing reaches Qt. The field of
    // a failing expression takes the focus, the row of a failing rule is selected in the Rules
    // window.
    void RunGuarded(const std::function<void()>& command);

    // The fields and the checked preset as the panel shows them, and filling them all at once
    // (checking the preset without its handler filling the fields); see field_edits.h. The more
    // rules are the panel's too: its title counts them and the Rules window shows them.
    PanelFields ReadFields() const;
    void SetFields(const PanelFields& fields);
    // Fills the fields with ones from outside the panel (a file, the command line). Rules that
    // the panel does not show change the figure all the same, so where the fields have more
    // rules the Rules window is shown at once.
    void SetFieldsFromOutside(const PanelFields& fields);

signals:
    // A task has ended: at its end, by Stop, by a fault or by the program's end.
    void drawingEnded();

public slots:
    void Button1Click(); // "Draw": draws the fields' figure over what the plane shows
    void Button2Click(); // "Stop": the running task ends at once; what it drew stays
    void Button3Click(); // "Clear": whitens the plane and forgets its figures
    // "Exit", and closing the plane: ends the event loop, and with it the program.
    void Button4Click();
    void EndProgram();
    // "Fit to Figure": measures the figure the fields describe without drawing it, sets the
    // window fields to its bounds with a margin, clears the plane and draws it.
    void FitToFigure();
    // "Rules…": shows the Rules window, made the first time beside the panel.
    void ShowRules();
    // "Gallery…": shows the Gallery window, made the first time over the examples.
    void ShowGallery();
    // Shows a ".l" collection in the Gallery window; raises FileError where it cannot be read.
    void OpenCollection(const QString& path);
    // The Gallery window, while it has been made.
    GalleryWindow* gallery() const { return m_gallery; }
    // Fills the fields with an entry of the gallery and draws its figure fitted.
    void DrawGalleryEntry(const PanelFields& fields);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetDraw2D();
    void FormActivate();
    void ConnectCommands();
    void PresetClick(Preset preset);
    QRadioButton* PresetButtonOf(Preset preset) const;
    // The decimal separator of the panel's locale (the user's): the edits show the angle and
    // the window's bounds with it, where the session holds them with a point.
    std::string DecimalSeparator() const;
    // Writes the window fields: Fit's texts, or a window the view moved to as the shortest
    // texts that read back as its bounds.
    void SetWindowFields(const WindowTexts& texts);
    void ShowWindow(const WorldWindow& window);
    void ApplyOuterSize();
    void ShowProgress(double share);
    void SetBusy(bool busy);
    // The title tells how many more rules there are, whether the word is read with Fractint's
    // commands and whether the plane explores, with the count of substitutions its view uses,
    // none of which the panel shows.
    void ShowTitle();
    // Shows whether the plane explores, in both windows.
    void ShowExplore();
    void UsePanelCommands();

    QSize m_outerSize;
    bool m_activated = false;
    std::unique_ptr<plane::TDraw2D> m_draw2D;
    std::unique_ptr<DrawingSession> m_session;
    SessionDriver* m_driver = nullptr;
    FileCommands* m_files = nullptr;
    std::unique_ptr<BusyState> m_busy; // the panel's state while a task runs
    QProgressBar* m_progress = nullptr; // shown below the presets while a long task runs
    bool m_fillingFields = false; // SetFields checks a preset without its handler acting
    std::vector<RuleText> m_moreRules;
    lsystem::CommandSet m_commands = lsystem::CommandSet::Panel;
    RulesWindow* m_rules = nullptr; // made when first shown
    GalleryWindow* m_gallery = nullptr; // made when first shown
};

} // namespace app
