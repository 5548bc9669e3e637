#include "app/io/run_failure.h"

#include "app/core/pictures/picture_memory_error.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/text/safe_message_text.h"
#include "app/io/full_stop.h"

#include <QDir>

#include <new>

namespace app {

namespace {

constexpr std::uint64_t BytesPerMiB = std::uint64_t { 1 } << 20;

// The row of the text field that an error of Draw is about, if any.
const FieldRow* FieldOf(const std::exception& error)
{
    if (dynamic_cast<const AngleError*>(&error))
        return &FieldRowOf(&PanelFields::angle);
    if (const auto* expression = dynamic_cast<const ExpressionError*>(&error))
        return &FieldRowOf(expression->field());
    if (const auto* arithmetic = dynamic_cast<const FieldArithmeticError*>(&error))
        return &FieldRowOf(arithmetic->field());
    return nullptr;
}

QString OwnMessage(const std::exception& error)
{
    if (const auto* picture = dynamic_cast<const PictureMemoryError*>(&error)) {
        const std::uint64_t mebibytes = (picture->bytes() + BytesPerMiB - 1) / BytesPerMiB;
        return QStringLiteral("Out of memory: a %1 × %2 picture needs %3 MiB")
            .arg(picture->width())
            .arg(picture->height())
            .arg(mebibytes);
    }
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("Out of memory");
    // Escaped before it becomes a QString, so that a byte that is not UTF-8 shows as itself.
    return QString::fromStdString(SafeMessageText(error.what()));
}

} // namespace

QString FailureMessage(const std::exception& error)
{
    return WithFullStop(OwnMessage(error));
}

QString FailureMessage(
    const std::exception& error, const PanelFields& fields, const std::optional<SourceFile>& source)
{
    const FieldRow* row = FieldOf(error);
    if (!row)
        return FailureMessage(error);
    const QString message = OwnMessage(error);
    const std::string& text = fields.*row->text;
    const bool fromFile = source && text == source->fields.*row->text;
    const QString key = QString::fromUtf8(row->fileKey);
    if (!dynamic_cast<const FieldArithmeticError*>(&error)) {
        if (!fromFile)
            return WithFullStop(message);
        return WithFullStop(QStringLiteral("\"%1\", key \"%2\": %3")
                                .arg(QDir::toNativeSeparators(source->path), key, message));
    }
    const QString value = QString::fromStdString(SafeMessageText(text));
    QString where;
    if (fromFile)
        where = QStringLiteral("\"%1\", key \"%2\" = %3")
                    .arg(QDir::toNativeSeparators(source->path), key, value);
    else if (row->option.empty()) // a bound of --window
        where = QStringLiteral("--window %1 = %2").arg(key, value);
    else
        where = QStringLiteral("--%1 %2").arg(QString::fromUtf8(row->option), value);
    return WithFullStop(where + QStringLiteral(": ") + message);
}

} // namespace app
