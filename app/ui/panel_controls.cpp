#include "app/ui/panel_controls.h"

#include "app/core/record/presets.h"

#include <QSignalBlocker>

#include <cstddef>

namespace app {

namespace {

// Each preset's radio button, in the order of the presets.
constexpr QRadioButton* PanelControls::*presetButtons[]
    = { &PanelControls::RadioButtonKochC, &PanelControls::RadioButtonKochIs,
          &PanelControls::RadioButtonSierp1, &PanelControls::RadioButtonSierp2,
          &PanelControls::RadioButtonPlant1, &PanelControls::RadioButtonPlant2,
          &PanelControls::RadioButtonPlant3, &PanelControls::RadioButtonPlant4 };

} // namespace

QRadioButton* PanelControls::PresetButtonOf(Preset preset) const
{
    return this->*presetButtons[static_cast<std::size_t>(preset)];
}

Preset PanelControls::CheckedPreset() const
{
    for (const Preset preset : AllPresets()) {
        if (PresetButtonOf(preset)->isChecked())
            return preset;
    }
    return uncheckedPreset;
}

void PanelControls::UncheckPresets(Preset kept)
{
    uncheckedPreset = kept;
    QRadioButton* checked = PresetButtonOf(CheckedPreset());
    if (!checked->isChecked())
        return;
    // An exclusive group keeps one button checked unless it is taken out for the moment; the
    // button's toggled signal is not sent, so that no preset fills the fields.
    const QSignalBlocker quiet(checked);
    checked->setAutoExclusive(false);
    checked->setChecked(false);
    checked->setAutoExclusive(true);
    checked->setFocusPolicy(Qt::ClickFocus);
}

} // namespace app
