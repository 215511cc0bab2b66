#pragma once

#include "views/kit/PorterDialogs.h"

#include <cstdint>
#include <optional>

class ObjectContext;

// The interactive import and export of the entry table's buttons: the dialogs around
// CsvActions. Main thread only; every dialog is modal. The overloads without `dialogs` use
// WidgetPorterDialogs.
namespace CSVPorter {

// Picks a file, imports its rows into `context`, saves once and reports in an alert. Returns
// the number of entries imported; nothing when the user cancels, the file cannot be read, or
// the save fails (nothing of the import is then left behind).
std::optional<std::int64_t> importCSV(ObjectContext& context, PorterDialogs& dialogs);
std::optional<std::int64_t> importCSV(ObjectContext& context);

// Shows the alert for an import's counts.
void presentResult(std::int64_t imported, std::int64_t skipped, PorterDialogs& dialogs);
void presentResult(std::int64_t imported, std::int64_t skipped);

// Picks a location and writes every entry of `context` there atomically: when writing fails,
// an alert says so and a file already at the location is left as it was. Returns the path
// written; nothing when the user cancels or writing fails.
std::optional<QString> exportCSV(ObjectContext& context, PorterDialogs& dialogs);
std::optional<QString> exportCSV(ObjectContext& context);

} // namespace CSVPorter
