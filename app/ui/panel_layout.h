#pragma once

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QWidget>

namespace app {

class TForm1;

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

    QRect Scaled(int left, int top, int width, int height) const;
    QFont Font(int pixelHeight) const;

    void Place(QWidget* control, const char* name, const QRect& geometry, int fontHeight) const;
    QPushButton* AddButton(const char* name, const char* caption, const QRect& geometry) const;
    QLabel* AddLabel(const char* name, const char* caption, const QRect& geometry) const;
    QLineEdit* AddEdit(const char* name, const char* text, const QRect& geometry) const;
    QRadioButton* AddRadioButton(
        const char* name, const char* caption, const QRect& geometry) const;

    // The panel's controls where its layout puts them, and the bar that shows a long task's
    // progress, which is not part of the layout (returned).
    QProgressBar* CreateControls(TForm1& form) const;
    void SetTabOrder(TForm1& form) const;

private:
    QWidget& m_panel;
    double m_scale;
};

} // namespace app
