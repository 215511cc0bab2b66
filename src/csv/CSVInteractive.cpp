#include "csv/CSVInteractive.h"
#include "csv/CSVPorter.h"
#include "csv/FileAccess.h"

namespace CSVPorter {

std::optional<std::int64_t> importCSV(ObjectContext& context, PorterDialogs& dialogs)
{
    const std::optional<QString> path = dialogs.chooseFileToImport();
    if (!path || path->isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> bytes = readWholeFile(*path);
    const ImportOutcome outcome = bytes ? importCSVData(*bytes, context)
                                        : ImportOutcome{std::nullopt, {}, readFailureAlert()};
    dialogs.showAlert(outcome.alert);
    return outcome.imported;
}

std::optional<std::int64_t> importCSV(ObjectContext& context)
{
    WidgetPorterDialogs dialogs;
    return importCSV(context, dialogs);
}

void presentResult(std::int64_t imported, std::int64_t skipped, PorterDialogs& dialogs)
{
    dialogs.showAlert(resultAlert(imported, skipped));
}

void presentResult(std::int64_t imported, std::int64_t skipped)
{
    WidgetPorterDialogs dialogs;
    presentResult(imported, skipped, dialogs);
}

void exportCSV(const std::vector<std::shared_ptr<BalanceEntry>>& entries, PorterDialogs& dialogs)
{
    const std::optional<QString> path = dialogs.chooseFileToExport();
    if (!path || path->isEmpty())
        return;
    const Result<void> written = writeFileAtomically(*path, QByteArray::fromStdString(csvString(entries)));
    if (!written)
        dialogs.showAlert(exportFailureAlert(written.error().message));
}

void exportCSV(const std::vector<std::shared_ptr<BalanceEntry>>& entries)
{
    WidgetPorterDialogs dialogs;
    exportCSV(entries, dialogs);
}

} // namespace CSVPorter
