#include "csv/CSVImport.h"
#include "csv/CSVPorter.h"
#include "csv/ImportRows.h"
#include "csv/Utf8.h"
#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"


namespace CSVPorter {
namespace {

// Takes the import's entries out of the context after a failed save. When the context held
// no other change before the import, a rollback restores it exactly.
void withdraw(ObjectContext& context, bool hadOtherChanges, const std::vector<std::shared_ptr<BalanceEntry>>& inserted)
{
    if (!hadOtherChanges) {
        context.rollback();
        return;
    }
    for (const auto& entry : inserted)
        context.remove(entry);
}

} // namespace

ImportCounts insertRows(std::string_view text, ObjectContext& context, std::vector<std::shared_ptr<BalanceEntry>>& inserted,
                        const std::function<void()>& afterBatch)
{
    ImportCounts counts;
    counts.skipped = readEntries(text, [&](EntryBatch& batch) {
        for (const auto& entry : batch)
            context.insert(entry);
        inserted.insert(inserted.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
        counts.imported += static_cast<std::int64_t>(batch.size());
        if (afterBatch)
            afterBatch();
    });
    return counts;
}

ImportOutcome importCSVData(const QByteArray& bytes, ObjectContext& context)
{
    const std::string_view text = withoutByteOrderMark(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!isValidUtf8(text))
        return {std::nullopt, {}, readFailureAlert()};

    const bool hadOtherChanges = context.hasChanges();
    std::vector<std::shared_ptr<BalanceEntry>> inserted;
    // The context's one save opens before the first row: the store writes each batch of
    // entries while the next one is read, and the commit after the last row is all that waits.
    auto save = context.beginSave();
    Result<void> saved;
    const ImportCounts counts = insertRows(text, context, inserted, [&] {
        if (save && saved)
            saved = save.value().writeInserted();
    });
    if (counts.imported == 0)
        return {0, counts, resultAlert(0, counts.skipped)}; // the unused save writes nothing
    if (!save)
        saved = save.error();
    else if (saved)
        saved = save.value().commit();
    if (!saved) {
        withdraw(context, hadOtherChanges, inserted);
        return {std::nullopt, counts, saveFailureAlert(saved.error().message)};
    }
    return {counts.imported, counts, resultAlert(counts.imported, counts.skipped)};
}

} // namespace CSVPorter
