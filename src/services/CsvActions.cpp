#include "services/CsvActions.h"

#include "csv/CSVPorter.h"
#include "csv/FileAccess.h"
#include "csv/Utf8.h"
#include "model/ObjectContext.h"
#include "model/UserAction.h"
#include "services/ObjectVerbs.h"

#include <memory>
#include <vector>

namespace CsvActions {

ImportOutcome importBytes(ObjectContext& context, const QByteArray& bytes)
{
    using namespace CSVPorter;
    const std::string_view text = withoutByteOrderMark(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!isValidUtf8(text))
        return {std::nullopt, {}, readFailureAlert()};

    UserAction action(context);
    std::vector<std::shared_ptr<BalanceEntry>> inserted;
    Result<void> saved;
    // The context's one save opens before the first row: the store writes each batch of
    // entries while the next one is read, and the commit after the last row is all that waits.
    auto save = context.beginSave();
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
    if (!action.finish(saved, ObjectVerbs::countedName(static_cast<std::size_t>(counts.imported), "Import 1 Entry", "Import %1 Entries")))
        return {std::nullopt, counts, saveFailureAlert(saved.error().message)};
    return {counts.imported, counts, resultAlert(counts.imported, counts.skipped)};
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
    return CSVPorter::writeFileAtomically(path, bytes.value());
}

} // namespace CsvActions
