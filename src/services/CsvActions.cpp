#include "services/CsvActions.h"

#include "csv/CSVPorter.h"
#include "csv/FileAccess.h"
#include "csv/Utf8.h"
#include "model/ObjectContext.h"
#include "services/SavedChange.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace CsvActions {

namespace {
// `source` names where the bytes came from in a read failure (empty: nowhere in particular).
ImportOutcome importText(ObjectContext& context, const QByteArray& bytes, const QString& source)
{
    using namespace CSVPorter;
    const std::string_view whole(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::string_view text = withoutByteOrderMark(whole);
    if (const auto bad = firstInvalidUtf8Byte(text)) {
        const std::size_t byte = *bad + (whole.size() - text.size()) + 1; // counted from 1, in the file
        return {std::nullopt, {}, readFailureAlert(readFailure(source, QStringLiteral("not UTF-8 at byte %1").arg(byte)).message)};
    }

    const bool hadOtherChanges = context.hasChanges();
    auto inserted = std::make_shared<std::vector<std::shared_ptr<BalanceEntry>>>();
    ImportCounts counts;
    Result<void> saved;
    UndoManager* manager = nullptr;
    {
        UnrecordedChanges unrecorded(context);
        manager = unrecorded.manager();
        // The context's one save opens before the first row: the store writes each batch of
        // entries while the next one is read, and the commit after the last row is all that waits.
        auto save = context.beginSave();
        counts = insertRows(text, context, *inserted, [&] {
            if (save && saved)
                saved = save.value().writeInserted();
        });
        if (counts.imported == 0)
            return {0, counts, resultAlert(0, counts.skipped)}; // the unused save writes nothing
        if (!save)
            saved = save.error();
        else if (saved)
            saved = save.value().commit();
    }
    if (!saved) {
        takeBackChange(context, hadOtherChanges, [&] {
            for (const auto& entry : *inserted)
                context.remove(entry);
        });
        return {std::nullopt, counts, saveFailureAlert(saved.error().message)};
    }
    recordUndo(manager, [guard = QPointer<ObjectContext>(&context), inserted] {
        if (!guard)
            return;
        for (auto entry = inserted->rbegin(); entry != inserted->rend(); ++entry)
            guard->remove(*entry);
    });
    return {counts.imported, counts, resultAlert(counts.imported, counts.skipped)};
}
} // namespace

ImportOutcome importBytes(ObjectContext& context, const QByteArray& bytes) { return importText(context, bytes, {}); }

ImportOutcome importFile(ObjectContext& context, const QString& path)
{
    const Result<QByteArray> bytes = CSVPorter::readWholeFile(path);
    if (!bytes)
        return {std::nullopt, {}, CSVPorter::readFailureAlert(bytes.error().message)};
    return importText(context, bytes.value(), path);
}

Result<QByteArray> exportBytes(ObjectContext& context)
{
    auto entries = context.fetchBalanceEntries(BalanceEntry::Date, SortDirection::Ascending);
    if (!entries)
        return entries.error();
    return QByteArray::fromStdString(CSVPorter::csvString(entries.value()));
}

Result<void> exportFile(ObjectContext& context, const QString& path)
{
    auto bytes = exportBytes(context);
    if (!bytes)
        return bytes.error();
    return CSVPorter::writeFile(path, bytes.value());
}

} // namespace CsvActions
