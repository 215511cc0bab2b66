#include "csv/CSVAlerts.h"

#include <QStringList>

#include <algorithm>

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

QString skippedLineText(const SkippedLine& line) { return QStringLiteral("line %1: %2").arg(line.line).arg(line.reason); }

QString skippedLinesText(std::span<const SkippedLine> lines, std::size_t shown)
{
    QStringList texts;
    for (std::size_t i = 0; i < std::min(shown, lines.size()); ++i)
        texts.append(skippedLineText(lines[i]));
    if (lines.size() > shown)
        texts.append(QStringLiteral("and %1 more").arg(lines.size() - shown));
    return texts.join(QLatin1Char('\n'));
}

QString leftOutAsStoredText(std::int64_t count)
{
    return QStringLiteral("Skipped %1 %2 already stored.").arg(count).arg(count == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
}

Alert importAlert(std::int64_t imported, std::span<const SkippedLine> skipped, std::int64_t leftOutAsStored, bool listLines)
{
    Alert alert = resultAlert(imported, static_cast<std::int64_t>(skipped.size()));
    if (imported == 0 && leftOutAsStored > 0)
        alert = {alert.messageText, QString(), AlertStyle::Informational};
    const auto addParagraph = [&alert](const QString& text) {
        alert.informativeText += (alert.informativeText.isEmpty() ? QString() : QStringLiteral("\n\n")) + text;
    };
    if (leftOutAsStored > 0)
        addParagraph(leftOutAsStoredText(leftOutAsStored));
    if (listLines && !skipped.empty())
        addParagraph(skippedLinesText(skipped));
    return alert;
}

Alert readFailureAlert() { return {errorTitle, QStringLiteral("Could not read file."), AlertStyle::Warning}; }

Alert saveFailureAlert(const QString& description)
{
    return {errorTitle, QStringLiteral("Save failed: ") + description, AlertStyle::Warning};
}

Alert exportFailureAlert(const QString& description)
{
    return {errorTitle, QStringLiteral("Could not export CSV: ") + description, AlertStyle::Warning};
}

} // namespace CSVPorter
