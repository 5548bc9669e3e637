#include "app/ui/field_edits.h"

#include "app/core/float_text.h"

#include <QLineEdit>

namespace app {

namespace {

QLineEdit* EditOf(const QWidget& panel, const FieldRow& row)
{
    return panel.findChild<QLineEdit*>(QString::fromUtf8(row.edit));
}

} // namespace

void ReadFieldEdits(const QWidget& panel, const std::string& separator, PanelFields& fields)
{
    for (const FieldRow& row : FieldTable) {
        if (!row.text)
            continue;
        std::string text = EditOf(panel, row)->text().toStdString();
        if (row.text == &PanelFields::angle)
            text = ChangeSeparator(text, separator, ".");
        fields.*row.text = text;
    }
}

void WriteFieldEdits(QWidget& panel, const PanelFields& fields, const std::string& separator)
{
    for (const FieldRow& row : FieldTable) {
        if (!row.text)
            continue;
        std::string text = fields.*row.text;
        if (row.text == &PanelFields::angle)
            text = ChangeSeparator(text, ".", separator);
        EditOf(panel, row)->setText(QString::fromStdString(text));
    }
}

} // namespace app
