#include "app/ui/field_edits.h"

#include "app/core/text/float_text.h"

#include <QLineEdit>

#include <utility>

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

void WriteWindowEdits(QWidget& panel, const WindowTexts& texts, const std::string& separator)
{
    const std::pair<std::string PanelFields::*, const std::string&> bounds[]
        = { { &PanelFields::x1, texts.x1 }, { &PanelFields::x2, texts.x2 },
              { &PanelFields::y1, texts.y1 }, { &PanelFields::y2, texts.y2 } };
    for (const auto& [field, text] : bounds) {
        EditOf(panel, FieldRowOf(field))
            ->setText(QString::fromStdString(ChangeSeparator(text, ".", separator)));
    }
}

void WriteWindowEdits(QWidget& panel, const WorldWindow& window, const std::string& separator)
{
    WriteWindowEdits(panel,
        { FloatToText(window.x1), FloatToText(window.x2), FloatToText(window.y1),
            FloatToText(window.y2) },
        separator);
}

} // namespace app
