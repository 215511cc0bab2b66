#include "services/CsvActions.h"

#include "csv/AlreadyStored.h"
#include "csv/CSVPorter.h"
#include "csv/FileAccess.h"
#include "csv/Utf8.h"
#include "model/CommittedEntries.h"
#include "model/ObjectContext.h"
#include "model/UndoManager.h"
#include "model/UserAction.h"
#include "services/NoteRules.h"
#include "services/ObjectVerbs.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <vector>

namespace CsvActions {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(CsvActions)
};
} // namespace

Result<std::string_view> importText(const QByteArray& bytes, const QString& path)
{
    const std::string_view all(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::string_view text = CSVPorter::withoutByteOrderMark(all);
    if (const std::optional<std::size_t> bad = CSVPorter::firstInvalidUtf8Byte(text)) {
        const auto byte = static_cast<qint64>(all.size() - text.size() + *bad + 1);
        return CSVPorter::readFailure(path, QStringLiteral("not UTF-8 at byte %1").arg(byte));
    }
    return text;
}

namespace {

// A row whose note is longer than any entrance stores becomes a skipped line.
void skipRowsWithLongNotes(CSVPorter::ImportReading& reading)
{
    auto& rows = reading.rows;
    const auto refusedFrom = std::stable_partition(rows.begin(), rows.end(), [](const CSVPorter::ReadRow& row) {
        return !NoteRules::refusal(row.values.note);
    });
    if (refusedFrom == rows.end())
        return;
    for (auto row = refusedFrom; row != rows.end(); ++row)
        reading.skipped.push_back({row->line, *NoteRules::refusal(row->values.note)});
    rows.erase(refusedFrom, rows.end());
    std::stable_sort(reading.skipped.begin(), reading.skipped.end(),
                     [](const CSVPorter::SkippedLine& a, const CSVPorter::SkippedLine& b) { return a.line < b.line; });
}

} // namespace

ImportPreview previewImport(std::string_view text, std::span<const BalanceEntry::Values> stored, const CSVPorter::ReadOptions& options,
                            const CSVPorter::ReadProgress& progress)
{
    ImportPreview preview;
    preview.reading = CSVPorter::readImport(text, options, progress);
    if (preview.reading.cancelled)
        return preview;
    skipRowsWithLongNotes(preview.reading);
    preview.alreadyStored = CSVPorter::markAlreadyStored(preview.reading.rows, stored);
    preview.alreadyStoredCount = std::count(preview.alreadyStored.begin(), preview.alreadyStored.end(), true);
    return preview;
}

Result<std::vector<BalanceEntry::Values>> storedValues(ObjectContext& context)
{
    auto entries = context.fetchBalanceEntries();
    if (!entries)
        return entries.error();
    std::vector<BalanceEntry::Values> values;
    values.reserve(entries.value().size());
    for (const auto& entry : entries.value())
        values.push_back(entry->values());
    return values;
}

namespace {

// Thrown from the batches to stop an import (see storeInBackground).
struct Stopped {};

const std::vector<bool>& leftOutRows(const ImportPreview& preview, bool skipAlreadyStored)
{
    static const std::vector<bool> none;
    return skipAlreadyStored ? preview.alreadyStored : none;
}

// Inserts the previewed rows not left out into `context` and saves them. The context's one
// save opens before the first row: the store writes each batch of entries while the next one
// is made, and the commit after the last row is all that waits. Nothing inserted: no save.
Result<void> insertAndSave(ObjectContext& context, const ImportPreview& preview, bool skipAlreadyStored,
                           std::vector<std::shared_ptr<BalanceEntry>>& inserted, const std::function<void()>& afterBatch = {})
{
    Result<void> saved;
    auto save = context.beginSave();
    CSVPorter::insertRows(preview.reading.rows, leftOutRows(preview, skipAlreadyStored), context, inserted, [&] {
        if (save && saved)
            saved = save.value().writeInserted();
        if (afterBatch)
            afterBatch();
    });
    if (inserted.empty())
        return {}; // the unused save writes nothing
    if (!save)
        return save.error();
    if (saved)
        saved = save.value().commit();
    return saved;
}

QString importName(std::int64_t count)
{
    return count == 1 ? Words::tr("Import 1 Entry") : Words::tr("Import %n Entries", nullptr, int(count));
}

ImportOutcome outcome(const ImportPreview& preview, bool skipAlreadyStored, const Result<void>& saved, std::int64_t imported)
{
    const std::vector<CSVPorter::SkippedLine>& skippedLines = preview.reading.skipped;
    const std::int64_t leftOut = skipAlreadyStored ? preview.alreadyStoredCount : 0;
    const CSVPorter::ImportCounts counts{saved ? imported : 0, static_cast<std::int64_t>(skippedLines.size())};
    if (!saved)
        return {std::nullopt, counts, CSVPorter::saveFailureAlert(saved.error().message), leftOut};
    return {imported, counts, CSVPorter::importAlert(imported, skippedLines, leftOut), leftOut};
}

} // namespace

ImportOutcome importPreviewed(ObjectContext& context, const ImportPreview& preview, bool skipAlreadyStored)
{
    UserAction action(context);
    std::vector<std::shared_ptr<BalanceEntry>> inserted;
    Result<void> saved = insertAndSave(context, preview, skipAlreadyStored, inserted);
    const auto count = static_cast<std::int64_t>(inserted.size());
    if (count > 0)
        saved = action.finish(saved, importName(count));
    return outcome(preview, skipAlreadyStored, saved, count);
}

std::optional<Result<StoredRows>> storeInBackground(ObjectContext& background, const ImportPreview& preview, bool skipAlreadyStored,
                                                    const std::function<bool(double)>& progress)
{
    const auto total = static_cast<double>(preview.reading.rows.size()) - (skipAlreadyStored ? double(preview.alreadyStoredCount) : 0.0);
    UserAction action(background); // takes a failed save back
    std::vector<std::shared_ptr<BalanceEntry>> inserted;
    Result<void> saved;
    try {
        saved = insertAndSave(background, preview, skipAlreadyStored, inserted, [&] {
            if (!progress(double(inserted.size()) / std::max(total, 1.0)))
                throw Stopped{};
        });
    } catch (const Stopped&) {
        background.rollback(); // the save was dropped uncommitted: nothing reached the store
        return std::nullopt;
    }
    if (auto finished = action.finish(saved, {}); !finished)
        return finished.error();
    StoredRows rows{static_cast<std::int64_t>(inserted.size()), nullptr};
    if (!inserted.empty())
        rows.entries = std::make_shared<CommittedEntries>(CommittedEntries::copyOf(inserted));
    return rows;
}

namespace {

// The main context's entries with keys from `first` to `last` (only the import wrote keys
// between them), by key.
std::vector<std::shared_ptr<ManagedObject>> storedBetween(ObjectContext& context, std::int64_t first, std::int64_t last)
{
    std::vector<std::shared_ptr<ManagedObject>> stored;
    auto entries = context.fetchBalanceEntries(BalanceEntry::Date, SortDirection::Ascending);
    if (entries)
        for (const auto& entry : entries.value())
            if (entry->rowId() >= first && entry->rowId() <= last)
                stored.push_back(entry);
    std::sort(stored.begin(), stored.end(), [](const auto& a, const auto& b) { return a->rowId() < b->rowId(); });
    return stored;
}

} // namespace

void adoptImport(ObjectContext& context, const ImportPreview& preview, bool skipAlreadyStored, const Result<StoredRows>& stored,
                 ObjectContext::MergeHold hold, std::function<void(double)> progressed, std::function<void(const ImportOutcome&)> finished)
{
    if (!stored || !stored.value().entries) {
        hold.reset();
        finished(stored ? outcome(preview, skipAlreadyStored, {}, stored.value().count) : outcome(preview, skipAlreadyStored, stored.error(), 0));
        return;
    }
    const StoredRows rows = stored.value();
    const ImportOutcome done = outcome(preview, skipAlreadyStored, {}, rows.count);
    context.adoptCommitted(rows.entries, std::move(hold), std::move(progressed), [&context, rows, done, finished = std::move(finished)] {
        CommittedEntries& entries = *rows.entries;
        // Read from the store instead when another writer came in between (see adoptCommitted).
        const bool adopted = entries.objects.front()->context() == &context;
        if (UndoManager* manager = context.undoManager())
            manager->push(importName(rows.count), context,
                          RecordedChange::inserted(adopted ? std::move(entries.objects)
                                                           : storedBetween(context, entries.rowIds.front(), entries.rowIds.back())));
        finished(done);
    });
}

ImportOutcome importBytes(ObjectContext& context, const QByteArray& bytes, const QString& path)
{
    const Result<std::string_view> text = importText(bytes, path);
    if (!text)
        return {std::nullopt, {}, CSVPorter::readFailureAlert(text.error().message)};
    return importPreviewed(context, previewImport(text.value(), {}), false);
}

ImportOutcome importFile(ObjectContext& context, const QString& path)
{
    const Result<QByteArray> bytes = CSVPorter::readFile(path);
    if (!bytes)
        return {std::nullopt, {}, CSVPorter::readFailureAlert(bytes.error().message)};
    return importBytes(context, bytes.value(), path);
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
