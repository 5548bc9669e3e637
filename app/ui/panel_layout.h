#pragma once

#include "app/ui/panel_controls.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QWidget>

#include <span>

namespace app {

// One control of the panel: its name (PanelControls' member of that name), its caption or start-up
// text, and its place in pixels at 96 dots per inch.
struct PanelControl {
    const char* name;
    const char* text;
    QRect place;
    // Whether the Tab key visits it (every control but the labels).
    bool takesFocus;
};

// Makes the control panel's controls where its layout puts them. The layout is given in pixels
// at 96 dots per inch; every position, size and font is scaled by `scale`, the screen's logical
// resolution over 96. Captions that the substitute font would cut off are narrowed.
class PanelLayout {
public:
    static constexpr int LayoutDpi = 96;
    // The window's own font, used by the buttons, and the fields' and labels'.
    static constexpr int WindowFontHeight = 11;
    static constexpr int FieldFontHeight = 16;

    PanelLayout(QWidget& panel, double scale);

    // The panel's controls, those that take the focus in the order of the Tab key first, then
    // the labels: the one table of the panel's layout.
    static std::span<const PanelControl> Controls();

    QRect Scaled(int left, int top, int width, int height) const;
    // The panel window's size, its frame included.
    QSize OuterSize() const;
    QFont Font(int pixelHeight) const;

    // Each makes the control of that name where the table puts it.
    QPushButton* AddButton(const char* name) const;
    QLabel* AddLabel(const char* name) const;
    QLineEdit* AddEdit(const char* name) const;
    QRadioButton* AddRadioButton(const char* name) const;

    // The panel's controls where its layout puts them, and the bar that shows a long task's
    // progress, which is not part of the layout (returned).
    QProgressBar* CreateControls(PanelControls& controls) const;
    // The Tab key visits the controls in the table's order.
    void SetTabOrder() const;

private:
    static const PanelControl& ControlNamed(const char* name);
    // Names the control, and gives it the table's scaled place and the font of that height.
    void Place(QWidget* control, const PanelControl& row, int fontHeight) const;

    QWidget& m_panel;
    double m_scale;
};

} // namespace app
