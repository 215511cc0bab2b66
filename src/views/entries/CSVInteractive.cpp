#include "views/entries/CSVInteractive.h"

#include "services/CsvActions.h"

namespace CSVPorter {

std::optional<std::int64_t> importCSV(ObjectContext& context, PorterDialogs& dialogs)
{
    const std::optional<QString> path = dialogs.chooseFileToImport();
    if (!path || path->isEmpty())
        return std::nullopt;
    const CsvActions::ImportOutcome outcome = CsvActions::importFile(context, *path);
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

std::optional<QString> exportCSV(ObjectContext& context, PorterDialogs& dialogs)
{
    const std::optional<QString> path = dialogs.chooseFileToExport();
    if (!path || path->isEmpty())
        return std::nullopt;
    if (const Result<void> written = CsvActions::exportFile(context, *path); !written) {
        dialogs.showAlert(exportFailureAlert(written.error().message));
        return std::nullopt;
    }
    return path;
}

std::optional<QString> exportCSV(ObjectContext& context)
{
    WidgetPorterDialogs dialogs;
    return exportCSV(context, dialogs);
}

} // namespace CSVPorter
