#pragma once

#include "app/core/record/preset.h"
#include "app/ui/spin_edit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace app {

// The control panel's controls, named as its layout names them; PanelLayout makes them.
struct PanelControls {
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

    QRadioButton* PresetButtonOf(Preset preset) const;
    // The preset whose button is checked; while none is, the one UncheckPresets kept (Koch Curve
    // at first).
    Preset CheckedPreset() const;
    // Leaves every preset button unchecked (for fields no preset gives) while the fields keep
    // `kept`, which the turtle of Fractint's commands does not take.
    void UncheckPresets(Preset kept);

    Preset uncheckedPreset = Preset::KochCurve;
};

} // namespace app
