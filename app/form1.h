#pragma once

#include "app/draw_command.h"
#include "app/presets.h"
#include "app/spin_edit.h"
#include "lsystem/draw_params.h"
#include "lsystem/turtle.h"
#include "plane/draw2d.h"

#include <QElapsedTimer>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <memory>

namespace app {

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

    // The drawing parameters of the run, filled by Draw and read by the walk.
    lsystem::DrawParams DrawParams;

    // The preset whose radio button is checked.
    Preset CheckedPreset() const;

public slots:
    // "Draw": draws the figure the fields describe over what the plane shows. The figure grows
    // on the screen while it is drawn; meanwhile only Stop and Exit act.
    void Button1Click();
    // "Stop": a running drawing ends before its next symbol.
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

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void SetDraw2D();
    void FormActivate();
    void ConnectCommands();
    void ApplyPreset(Preset preset);
    PanelFields ReadFields() const;
    QLineEdit* FieldOf(ExpressionField field) const;
    void SetInputEnabled(bool enabled);
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
    bool m_drawing = false;
    QElapsedTimer m_sinceFrame;
};

} // namespace app
