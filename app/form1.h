#pragma once

#include "app/draw_command.h"
#include "app/drawn_figure.h"
#include "app/presets.h"
#include "app/spin_edit.h"
#include "app/world_window.h"
#include "lsystem/draw_params.h"
#include "lsystem/turtle.h"
#include "plane/draw2d.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPointF>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace app {

struct Measurement;

// The "Control Panel" window: the fields of an L-system and its drawing, the four commands and
// the eight preset figures. While it is created it creates the plane window, the program's main
// window, so closing the plane ends the program as "Exit" does; closing the panel only hides it.
// Its layout is given at 96 dots per inch and scales with the screen's logical resolution.
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

    // The drawing parameters of the last Draw, filled by it; its walk starts from a copy.
    lsystem::DrawParams DrawParams;

    // The preset whose radio button is checked.
    Preset CheckedPreset() const;

    // Whether a Draw is under way.
    bool drawing() const { return m_running != nullptr; }
    // The figures drawn on the plane since the last Clear, oldest first.
    const std::vector<DrawnFigure>& figures() const { return m_figures; }

    // Runs a command of the program. Whatever it throws ends a running Draw, restores the
    // panel and the cursor, and is shown in the program's error box; nothing reaches Qt.
    void RunGuarded(const std::function<void()>& command);

    // The fields and the checked preset as the panel shows them, and filling them all at once
    // (checking the preset without its handler filling the fields).
    PanelFields ReadFields() const;
    void SetFields(const PanelFields& fields);

    // Writes what the plane shows to a PNG file of size x size pixels (the plane's own pixels
    // at 700, the figures since the last Clear drawn again at a larger size) or, when the name
    // ends in ".svg", the same figures as vectors.
    void SaveImage(const QString& path, int size);
    // Writes the fields to an L-system file; returns the name written (".lsys" added when the
    // name has none).
    QString SaveLSystem(const QString& path);
    // Fills the fields from an L-system file; a file that cannot be read changes nothing.
    void OpenLSystem(const QString& path);

    // The plane's view: zooms the world window about the plane pixel `at` by 1.25 a notch
    // (positive notches show more detail), or moves it by the drag from pixel `from` to `to`;
    // each then draws the figure anew.
    void ZoomPlane(QPointF at, double notches);
    void PanPlane(QPointF from, QPointF to);

signals:
    // A Draw has ended: at the end of its word, by Stop, by a fault or by the program's end.
    void drawingEnded();

public slots:
    // "Draw": reads the fields and starts drawing their figure over what the plane shows. The
    // figure grows on the screen, a slice each turn of the event loop; meanwhile only Stop and
    // Exit act.
    void Button1Click();
    // "Stop": a running drawing ends at once; what it drew stays.
    void Button2Click();
    // "Clear": whitens the plane and changes nothing else.
    void Button3Click();
    // "Exit".
    void Button4Click();
    // Ends the event loop, and with it the program: "Exit" and closing the plane come here. A
    // running drawing stops first.
    void EndProgram();

    // The presets: each fills the fields with its figure when its button becomes checked.
    void RadioButtonPlant1Click();
    void RadioButtonPlant3Click();
    void RadioButtonPlant2Click();
    void RadioButtonSierp1Click();
    void RadioButtonSierp2Click();
    void RadioButtonPlant4Click();
    void RadioButtonKochIsClick();
    void RadioButtonKochCClick();

    // The commands beyond the panel's buttons, in the context menus of the two windows.
    // "Fit to Figure": measures the figure the fields describe without drawing it, sets the
    // window fields to its bounds with a margin, clears the plane and draws it.
    void FitToFigure();
    void SaveImageAs();
    void CopyImage();
    void SaveLSystemAs();
    void OpenLSystemDialog();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void SetDraw2D();
    void FormActivate();
    void ConnectCommands();
    void CreateMenus();
    void ApplyPreset(Preset preset);
    QRadioButton* PresetButtonOf(Preset preset) const;
    // The user's decimal separator: the angle is read and window bounds are written with it.
    static std::string DecimalSeparator();
    void SetWindowFields(const WorldWindow& window);
    void Redraw();
    void FinishFit(const Measurement& measurement);
    QString DialogFolder() const;
    QLineEdit* FieldOf(ExpressionField field) const;
    template <typename... Arguments> auto Guarded(void (TForm1::*command)(Arguments...));
    class RunningDraw;
    void Start(std::unique_ptr<RunningDraw> running);
    void AdvanceDrawing();
    void EndDrawing();
    void ShowProgress();

    QRect Scaled(int left, int top, int width, int height) const;
    QFont ScaledFont(int pixelHeight) const;
    void Place(QWidget* control, const char* name, const QRect& geometry, int fontHeight);
    QPushButton* AddButton(const char* name, const char* caption, const QRect& geometry);
    QLabel* AddLabel(const char* name, const char* caption, const QRect& geometry);
    QLineEdit* AddEdit(const char* name, const char* text, const QRect& geometry);
    QRadioButton* AddRadioButton(const char* name, const char* caption, const QRect& geometry);
    void ApplyOuterSize();

    double m_scale = 1.0;
    QSize m_outerSize;
    bool m_activated = false;
    std::unique_ptr<plane::TDraw2D> m_draw2D;
    // One sequence of random numbers for the whole run: each drawing continues it.
    lsystem::RandomGenerator m_random;
    std::vector<DrawnFigure> m_figures;
    // The Draw under way: its job and the panel's state while it runs.
    std::unique_ptr<RunningDraw> m_running;
    QTimer m_sliceTimer; // drives the running Draw, a slice each turn of the event loop
    QProgressBar* m_progress = nullptr; // shown below the presets while a long Draw runs
    bool m_fillingFields = false; // SetFields checks a preset without its handler acting
    QList<QAction*> m_idleActions; // offered only while no Draw runs
    QWidget* m_planeView = nullptr; // the plane's image, where the mouse zooms and pans
    // Where the drag under way on the plane was last applied from; none while not dragging.
    std::optional<QPointF> m_dragFrom;
    QString m_lastFolder; // where the last file was opened or saved
};

// The command as a slot that runs it guarded.
template <typename... Arguments> auto TForm1::Guarded(void (TForm1::*command)(Arguments...))
{
    return [this, command](
               Arguments... arguments) { RunGuarded([&] { (this->*command)(arguments...); }); };
}

} // namespace app
