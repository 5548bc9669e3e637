#include "app/ui/field_edits.h"

#include "app/core/text/float_text.h"

#include <QLineEdit>

namespace app {

namespace {

QLineEdit* EditOf(const QWidget& panel, const FieldRow& row)
{
    return panel.findChild<QLineEdit*>(QString::fromUtf8(row.edit));
}

// The angle as a record holds it: a number written with the user's separator gets a point. A
// text that is no such number must stay one that does not convert, also where it would with a
// point ("22.5" where the user writes "22,5"): its points become the user's separator.
std::string RecordAngle(const std::string& typed, const std::string& separator)
{
    std::string angle = ChangeSeparator(typed, separator, ".");
    if (angle != typed || separator == ".")
        return angle;
    for (std::size_t at = angle.find('.'); at != std::string::npos;
         at = angle.find('.', at + separator.size())) {
        angle.replace(at, 1, separator);
    }
    return angle;
}

} // namespace

void ReadFieldEdits(const QWidget& panel, const std::string& separator, PanelFields& fields)
{
    for (const FieldRow& row : FieldTable) {
        if (!row.text)
            continue;
        std::string text = EditOf(panel, row)->text().toStdString();
        if (row.text == &PanelFields::angle)
            text = RecordAngle(text, separator);
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
