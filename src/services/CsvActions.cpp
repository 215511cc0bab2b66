#include "services/CsvActions.h"

#include "csv/AlreadyStored.h"
#include "csv/CSVPorter.h"
#include "csv/FileAccess.h"
#include "csv/Utf8.h"
#include "model/ObjectContext.h"
#include "model/UserAction.h"
#include "services/NoteRules.h"
#include "services/ObjectVerbs.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace CsvActions {

std::optional<std::string_view> importText(const QByteArray& bytes)
{
    const std::string_view text = CSVPorter::withoutByteOrderMark(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!CSVPorter::isValidUtf8(text))
        return std::nullopt;
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

ImportOutcome importPreviewed(ObjectContext& context, const ImportPreview& preview, bool skipAlreadyStored)
{
    using namespace CSVPorter;
    const std::vector<bool> noneLeftOut;
    const std::vector<bool>& leaveOut = skipAlreadyStored ? preview.alreadyStored : noneLeftOut;
    const std::int64_t leftOut = skipAlreadyStored ? preview.alreadyStoredCount : 0;
    const std::vector<SkippedLine>& skippedLines = preview.reading.skipped;
    ImportCounts counts{0, static_cast<std::int64_t>(skippedLines.size())};

    UserAction action(context);
    std::vector<std::shared_ptr<BalanceEntry>> inserted;
    Result<void> saved;
    // The context's one save opens before the first row: the store writes each batch of
    // entries while the next one is made, and the commit after the last row is all that waits.
    auto save = context.beginSave();
    counts.imported = insertRows(preview.reading.rows, leaveOut, context, inserted, [&] {
        if (save && saved)
            saved = save.value().writeInserted();
    });
    if (counts.imported == 0)
        return {0, counts, importAlert(0, skippedLines, leftOut), leftOut}; // the unused save writes nothing
    if (!save)
        saved = save.error();
    else if (saved)
        saved = save.value().commit();
    if (!action.finish(saved, ObjectVerbs::countedName(static_cast<std::size_t>(counts.imported), "Import 1 Entry", "Import %1 Entries")))
        return {std::nullopt, counts, saveFailureAlert(saved.error().message), leftOut};
    return {counts.imported, counts, importAlert(counts.imported, skippedLines, leftOut), leftOut};
}

ImportOutcome importBytes(ObjectContext& context, const QByteArray& bytes)
{
    const std::optional<std::string_view> text = importText(bytes);
    if (!text)
        return {std::nullopt, {}, CSVPorter::readFailureAlert()};
    return importPreviewed(context, previewImport(*text, {}), false);
}

ImportOutcome importFile(ObjectContext& context, const QString& path)
{
    const std::optional<QByteArray> bytes = CSVPorter::readWholeFile(path);
    if (!bytes)
        return {std::nullopt, {}, CSVPorter::readFailureAlert()};
    return importBytes(context, *bytes);
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
