#pragma once

#include "app/ui/form1.h"

#include <QObject>

class QLineEdit;

namespace app {

// Help where the user is, on the panel's fields: a tooltip on every field (what it holds, an
// example, the symbols it may use), also its accessible description; a hint at a rule field
// (axiom, F, G) the moment it holds square brackets or round ones that do not balance, which the
// panel's turtle would draw silently otherwise (the word is drawn as it stands all the same);
// and a right click on a text field offers the field's own menu, then the panel's commands.
class PanelHelp : public QObject {
    Q_OBJECT

public:
    explicit PanelHelp(TForm1& panel);

    // Shows the rule fields' hints for the panel's command set, which has just changed.
    void ShowHints();

    // Shows the hint for a word at a widget: in its tooltip after `tooltip`, and at once beside
    // it. The Rules window shows its rules' hints this way.
    static void ShowNotationHint(
        QWidget& widget, const QString& tooltip, const QString& word, lsystem::CommandSet commands);

private:
    void ShowHint(QLineEdit& field);
    void ShowFieldMenu(QLineEdit& field, const QPoint& at);

    TForm1& m_panel;
};

} // namespace app
