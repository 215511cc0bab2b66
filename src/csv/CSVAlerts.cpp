#include "csv/CSVAlerts.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace CSVPorter {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(CSVAlerts)
};

QString errorTitle() { return Words::tr("CSV Error"); }
} // namespace

Alert resultAlert(std::int64_t imported, std::int64_t skipped)
{
    if (imported > 0) {
        Alert alert{imported == 1 ? Words::tr("Imported 1 entry") : Words::tr("Imported %n entries", nullptr, int(imported)), QString(),
                    AlertStyle::Informational};
        if (skipped > 0)
            alert.informativeText = Words::tr("%n row(s) were skipped (couldn't be parsed).", nullptr, int(skipped));
        return alert;
    }
    Alert alert{Words::tr("No rows imported"),
                //: The column names are the file's own headers: keep them as they are.
                Words::tr("Expected columns: Date, Balance, Adjustment, Transfers, Note. "
                          "Dates such as 2026-06-04 or 06/04/2026 are accepted."),
                AlertStyle::Warning};
    if (skipped > 0)
        alert.informativeText += QStringLiteral("\n\n") + Words::tr("%n row(s) couldn't be parsed.", nullptr, int(skipped));
    return alert;
}

QString skippedLineText(const SkippedLine& line) { return Words::tr("line %1: %2").arg(line.line).arg(line.reason); }

QString skippedLinesText(std::span<const SkippedLine> lines, std::size_t shown)
{
    QStringList texts;
    for (std::size_t i = 0; i < std::min(shown, lines.size()); ++i)
        texts.append(skippedLineText(lines[i]));
    if (lines.size() > shown)
        texts.append(Words::tr("and %1 more").arg(lines.size() - shown));
    return texts.join(QLatin1Char('\n'));
}

QString leftOutAsStoredText(std::int64_t count)
{
    return count == 1 ? Words::tr("Skipped 1 row already stored.") : Words::tr("Skipped %n rows already stored.", nullptr, int(count));
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

Alert readFailureAlert(const QString& description)
{
    QString text = Words::tr("Could not read file.");
    if (!description.isEmpty())
        text += QLatin1Char('\n') + description;
    return {errorTitle(), text, AlertStyle::Warning};
}

Alert saveFailureAlert(const QString& description)
{
    return {errorTitle(), Words::tr("Save failed: ") + description, AlertStyle::Warning};
}

Alert exportFailureAlert(const QString& description)
{
    return {errorTitle(), Words::tr("Could not export CSV: ") + description, AlertStyle::Warning};
}

} // namespace CSVPorter
