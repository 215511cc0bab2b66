#include "csv/CSVAlerts.h"

namespace CSVPorter {
namespace {
const QString errorTitle = QStringLiteral("CSV Error");
}

Alert resultAlert(std::int64_t imported, std::int64_t skipped)
{
    if (imported > 0) {
        Alert alert{QStringLiteral("Imported %1 %2").arg(imported).arg(imported == 1 ? QStringLiteral("entry") : QStringLiteral("entries")),
                    QString(), AlertStyle::Informational};
        if (skipped > 0)
            alert.informativeText = QStringLiteral("%1 row(s) were skipped (couldn't be parsed).").arg(skipped);
        return alert;
    }
    Alert alert{QStringLiteral("No rows imported"),
                QStringLiteral("Expected columns: Date, Balance, Adjustment, Transfers, Note. "
                               "Dates such as 2026-06-04 or 06/04/2026 are accepted."),
                AlertStyle::Warning};
    if (skipped > 0)
        alert.informativeText += QStringLiteral("\n\n%1 row(s) couldn't be parsed.").arg(skipped);
    return alert;
}

Alert readFailureAlert(const QString& description)
{
    QString text = QStringLiteral("Could not read file.");
    if (!description.isEmpty())
        text += QLatin1Char('\n') + description;
    return {errorTitle, text, AlertStyle::Warning};
}

Alert saveFailureAlert(const QString& description)
{
    return {errorTitle, QStringLiteral("Save failed: ") + description, AlertStyle::Warning};
}

Alert exportFailureAlert(const QString& description)
{
    return {errorTitle, QStringLiteral("Could not export CSV: ") + description, AlertStyle::Warning};
}

} // namespace CSVPorter
