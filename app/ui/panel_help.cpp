#include "app/ui/panel_help.h"

#include "app/core/record/rule_notation.h"

#include <QMenu>
#include <QToolTip>

#include <memory>

namespace app {

namespace {

// The symbols of the panel's turtle, for the rule fields' tooltips.
constexpr char panelSymbols[]
    = "Symbols: F and G draw a step, f moves one, + turns left and - right by the angle, ( and ) "
      "open and close a branch; any other symbol is rewritten by its rule (Rules…, Ctrl+R) and "
      "skipped by the turtle. F1 opens the Help.";

struct FieldTip {
    const char* control;
    const char* tip;
};

// Each field's tooltip: what it holds and an example.
constexpr FieldTip fieldTips[] = {
    { "EditAxiom", "The axiom: the word the turtle starts from, e.g. F or X." },
    { "EditRuleF", "What replaces every F in one substitution, e.g. F+F--F+F or FF." },
    { "EditRuleG", "What replaces every G in one substitution, e.g. G or GG." },
    { "EditAngle",
        "The angle + and - turn by, in degrees, e.g. 60 or 22.5 (as your locale writes it)." },
    { "EditLength",
        "The factor the step length is multiplied by once per substitution, an expression, "
        "e.g. 1/3 or 0.5." },
    { "SpinEdit1", "How many times the axiom is rewritten, 0 to 10, e.g. 6." },
    { "EditRandom",
        "The random amplitude that perturbs every drawn step, an expression; 0 draws exactly, "
        "e.g. 1/50." },
    { "EditX1", "The left bound of the world window the plane shows, an expression, e.g. -0.1." },
    { "EditX2", "The right bound of the world window the plane shows, an expression, e.g. 1.1." },
    { "EditY1", "The bottom bound of the world window the plane shows, an expression, e.g. -0.5." },
    { "EditY2", "The top bound of the world window the plane shows, an expression, e.g. 0.7." },
};

constexpr const char* ruleFields[] = { "EditAxiom", "EditRuleF", "EditRuleG" };

QString BaseTip(const QString& control)
{
    for (const FieldTip& row : fieldTips) {
        if (control == QLatin1String(row.control)) {
            QString tip = QString::fromUtf8(row.tip);
            for (const char* rule : ruleFields) {
                if (control == QLatin1String(rule))
                    tip += QStringLiteral("\n") + QString::fromUtf8(panelSymbols);
            }
            return tip;
        }
    }
    return {};
}

} // namespace

PanelHelp::PanelHelp(TForm1& panel)
    : QObject(&panel)
    , m_panel(panel)
{
    for (const FieldTip& row : fieldTips) {
        auto* field = panel.findChild<QWidget*>(QLatin1String(row.control));
        field->setToolTip(BaseTip(field->objectName()));
        field->setAccessibleDescription(field->toolTip());
    }
    for (const char* name : ruleFields) {
        auto* field = panel.findChild<QLineEdit*>(QLatin1String(name));
        connect(field, &QLineEdit::textChanged, this, [this, field] { ShowHint(*field); });
    }
    connect(&panel, &TForm1::rulesSet, this, &PanelHelp::ShowHints);
    for (auto* field : panel.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
            [this, field](const QPoint& at) { ShowFieldMenu(*field, at); });
    }
}

void PanelHelp::ShowNotationHint(
    QWidget& widget, const QString& tooltip, const QString& word, lsystem::CommandSet commands)
{
    const auto hint = NotationHint(word.toStdString(), commands);
    const QString hintText = hint ? QString::fromStdString(*hint) : QString();
    const bool changed = widget.property("notationHint").toString() != hintText;
    widget.setProperty("notationHint", hintText);
    widget.setToolTip(hint ? hintText + QStringLiteral("\n\n") + tooltip : tooltip);
    widget.setAccessibleDescription(widget.toolTip());
    if (hint && changed && widget.isVisible())
        QToolTip::showText(widget.mapToGlobal(QPoint(0, widget.height())), hintText, &widget);
    else if (!hint && changed && QToolTip::isVisible())
        QToolTip::hideText();
}

void PanelHelp::ShowHints()
{
    for (const char* name : ruleFields)
        ShowHint(*m_panel.findChild<QLineEdit*>(QLatin1String(name)));
}

void PanelHelp::ShowHint(QLineEdit& field)
{
    ShowNotationHint(field, BaseTip(field.objectName()), field.text(), m_panel.commands());
}

void PanelHelp::ShowFieldMenu(QLineEdit& field, const QPoint& at)
{
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    menu->setObjectName(QStringLiteral("FieldMenu"));
    menu->addSeparator();
    menu->addActions(m_panel.actions());
    menu->exec(field.mapToGlobal(at));
}

} // namespace app
