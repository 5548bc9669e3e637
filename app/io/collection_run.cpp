#include "app/io/collection_run.h"

#include "app/core/formats/collection_listing.h"
#include "app/core/formats/collection_lookup.h"
#include "app/core/formats/fractint_fields.h"
#include "app/core/record/prepared_draw.h"
#include "app/io/collection_io.h"
#include "app/io/file_error.h"
#include "app/io/file_name_bytes.h"
#include "app/io/full_stop.h"
#include "app/io/safe_message.h"
#include "app/io/usage_error.h"
#include "fpu/floating_point_error.h"

#include <QDir>
#include <QStringList>

#include <string>
#include <variant>
#include <vector>

namespace app {

namespace {

// How many names an error about the entry lists.
constexpr std::size_t NamesShown = 5;

QString Shown(const QString& path)
{
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

QString QuotedNames(const std::vector<std::string>& names)
{
    QStringList quoted;
    for (const std::string& name : names)
        quoted << QStringLiteral("\"%1\"").arg(QString::fromStdString(name));
    return quoted.join(QStringLiteral(", "));
}

FileError OpenError(const QString& path, const QString& reason)
{
    return FileError(FileNameBytes(QStringLiteral("Could not open %1: %2").arg(Shown(path), reason))
                         .toStdString());
}

} // namespace

CollectionListing ListCollection(const QString& path)
{
    const FractintCollection collection = OpenCollectionFile(path);
    CollectionListing listing;
    for (const FractintEntry& entry : collection.entries)
        listing.entries += QString::fromStdString(ListingLine(entry)) + QLatin1Char('\n');
    for (const LSystemFileError& fault : collection.faults) {
        listing.faults += SafeMessage(QStringLiteral("%1: %2").arg(
                              Shown(path), QString::fromStdString(DescribeError(fault))))
            + QLatin1Char('\n');
    }
    return listing;
}

OpenedEntry OpenCollectionEntry(const QString& path, const std::optional<QString>& entry)
{
    const FractintCollection collection = OpenCollectionFile(path);
    if (collection.entries.empty())
        throw OpenError(path, QStringLiteral("the collection holds no entry"));
    if (!entry) {
        std::vector<std::string> first;
        for (const FractintEntry& each : collection.entries) {
            if (first.size() == NamesShown)
                break;
            first.push_back(each.name);
        }
        const std::size_t more = collection.entries.size() - first.size();
        throw UsageError(
            QStringLiteral("%1 is a collection of Fractint L-systems: --entry <name> chooses the "
                           "one to draw, among %2%3")
                .arg(Shown(path), QuotedNames(first),
                    more == 0 ? QString() : QStringLiteral(" and %1 more").arg(more)));
    }
    const std::string name = entry->toStdString();
    const FractintEntry* found = FindEntry(collection, name);
    if (!found) {
        throw UsageError(QStringLiteral("%1 holds no entry \"%2\"; the nearest: %3")
                             .arg(Shown(path), *entry,
                                 QuotedNames(NearestEntryNames(collection, name, NamesShown))));
    }
    if (const auto* fault = std::get_if<LSystemFileError>(&found->content)) {
        throw OpenError(path,
            QStringLiteral("entry \"%1\" cannot be drawn: %2")
                .arg(QString::fromStdString(found->name),
                    QString::fromStdString(DescribeError(*fault))));
    }
    return { QString::fromStdString(found->name),
        FractintFields(std::get<FractintSystem>(found->content)) };
}

std::optional<QString> EntryFailureMessage(const std::exception& error, const QString& name)
{
    const auto* fault = dynamic_cast<const fpu::FloatingPointError*>(&error);
    // A field's own fault is the field's to report (FailureMessage).
    if (!fault || dynamic_cast<const FieldArithmeticError*>(&error))
        return std::nullopt;
    QString cause;
    switch (fault->fault()) {
    case fpu::Fault::Overflow:
        cause = QStringLiteral("the figure grows beyond the numbers' range");
        break;
    case fpu::Fault::DivisionByZero:
        cause = QStringLiteral("a step length is divided by zero (\"@I\" with 0)");
        break;
    case fpu::Fault::InvalidOperation:
        cause = QStringLiteral("the figure's numbers have no value");
        break;
    }
    return QStringLiteral("entry \"%1\": %2 (%3)")
        .arg(name, cause, WithFullStop(QString::fromUtf8(error.what())));
}

} // namespace app
