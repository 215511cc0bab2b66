#include "automation/ImportCommand.h"

#include "automation/ConsoleOutput.h"
#include "automation/JsonOutput.h"
#include "csv/CSVAlerts.h"
#include "csv/FileAccess.h"
#include "model/StoredEntries.h"
#include "services/CsvActions.h"
#include "services/ImportPreviewText.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>

namespace ImportCommand {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ImportCommand)
};


constexpr std::size_t rowsShownAtEachEnd = 5;

// A failure as the window's alert says it, on standard error.
int failure(const CSVPorter::Alert& alert)
{
    ConsoleOutput::error(alert.messageText + QLatin1Char('\n') + alert.informativeText + QLatin1Char('\n'));
    return 1;
}

std::int64_t wouldImport(const CsvActions::ImportPreview& preview, bool skipExisting)
{
    return static_cast<std::int64_t>(preview.reading.rows.size()) - (skipExisting ? preview.alreadyStoredCount : 0);
}

QJsonObject previewJson(const CsvActions::ImportPreview& preview, bool skipExisting)
{
    QJsonArray skipped;
    for (const CSVPorter::SkippedLine& line : preview.reading.skipped)
        skipped.append(QJsonObject{{QStringLiteral("line"), static_cast<qint64>(line.line)}, {QStringLiteral("reason"), line.reason}});
    const QString order = ImportPreviewText::dateOrder(preview.reading);
    return {{QStringLiteral("rowsRead"), static_cast<qint64>(preview.reading.rows.size())},
            {QStringLiteral("wouldImport"), static_cast<qint64>(wouldImport(preview, skipExisting))},
            {QStringLiteral("alreadyStored"), static_cast<qint64>(preview.alreadyStoredCount)},
            {QStringLiteral("skipped"), skipped},
            {QStringLiteral("dateOrder"), order.isEmpty() ? QJsonValue() : QJsonValue(order)},
            {QStringLiteral("decimalComma"), preview.reading.looksDecimalComma()}};
}

QString rowLine(const CSVPorter::ReadRow& row)
{
    return QStringLiteral("  ") + Words::tr("line %1").arg(row.line) + QLatin1Char('\t') + ImportPreviewText::rowCells(row.values).join(QLatin1Char('\t')) + QLatin1Char('\n');
}

QString previewText(const CsvActions::ImportPreview& preview, bool skipExisting)
{
    const auto& rows = preview.reading.rows;
    QString text = Words::tr("Rows read: %1\n").arg(rows.size());
    if (rows.empty())
        return text;
    text += Words::tr("Dates: %1\n").arg(ImportPreviewText::dateRangeText(preview.reading));
    for (const QString& reading : ImportPreviewText::dateReadings(preview.reading))
        text += Words::tr("Date reading: %1\n").arg(reading);
    if (preview.alreadyStoredCount > 0)
        text += ImportPreviewText::alreadyStoredText(preview.alreadyStoredCount) + QLatin1Char('\n');
    text += Words::tr("Would import: %1\n").arg(wouldImport(preview, skipExisting));
    const std::size_t head = std::min(rows.size(), rowsShownAtEachEnd);
    const std::size_t tail = std::max(head, rows.size() - std::min(rows.size(), rowsShownAtEachEnd));
    text += Words::tr("First rows:\n");
    for (std::size_t i = 0; i < head; ++i)
        text += rowLine(rows[i]);
    if (tail < rows.size()) {
        text += Words::tr("Last rows:\n");
        for (std::size_t i = tail; i < rows.size(); ++i)
            text += rowLine(rows[i]);
    }
    return text;
}

// What the reading leaves to the user's attention: skipped lines, amounts that look like
// decimal commas without --decimal-comma, rows already stored that will be imported again.
void warn(const CommandLine& line, const CsvActions::ImportPreview& preview)
{
    for (const CSVPorter::SkippedLine& skipped : preview.reading.skipped)
        ConsoleOutput::error(CSVPorter::skippedLineText(skipped) + QLatin1Char('\n'));
    if (!line.decimalComma && preview.reading.looksDecimalComma())
        ConsoleOutput::error(Words::tr("corvanta import: %1 They were read with ',' grouping; --decimal-comma reads them with a decimal comma.\n")
                                 .arg(ImportPreviewText::decimalCommaText()));
    if (!line.skipExisting && preview.alreadyStoredCount > 0)
        ConsoleOutput::error((line.dryRun ? Words::tr("corvanta import: %1; they would be imported again (--skip-existing leaves them out).\n")
                                          : Words::tr("corvanta import: %1; they are imported again (--skip-existing leaves them out).\n"))
                                 .arg(ImportPreviewText::alreadyStoredText(preview.alreadyStoredCount)));
}

} // namespace

int run(const CommandLine& line, ObjectContext& context, const QString& storePath)
{
    const Result<QByteArray> bytes = CSVPorter::readFile(line.file);
    const Result<std::string_view> text = bytes ? CsvActions::importText(bytes.value(), line.file) : Result<std::string_view>(bytes.error());
    if (!text)
        return failure(CSVPorter::readFailureAlert(text.error().message));
    auto stored = readStoredEntryValues(storePath);
    if (!stored)
        return ConsoleOutput::failure(Words::tr("corvanta import: ") + stored.error().message);
    const CsvActions::ImportPreview preview = CsvActions::previewImport(text.value(), stored.value(), {.decimalComma = line.decimalComma});
    warn(line, preview);
    const bool nothingRead = preview.reading.rows.empty();
    if (line.dryRun) {
        if (line.json)
            JsonOutput::print(previewJson(preview, line.skipExisting));
        else
            ConsoleOutput::print(previewText(preview, line.skipExisting));
        return nothingRead ? 1 : 0;
    }
    const CsvActions::ImportOutcome outcome = CsvActions::importPreviewed(context, preview, line.skipExisting);
    if (!outcome.imported)
        return failure(outcome.alert);
    if (line.json) {
        QJsonObject document = previewJson(preview, line.skipExisting);
        document.insert(QStringLiteral("imported"), static_cast<qint64>(*outcome.imported));
        JsonOutput::print(document);
        return nothingRead ? 1 : 0;
    }
    // The skipped lines are on standard error already.
    const CSVPorter::Alert said = CSVPorter::importAlert(*outcome.imported, preview.reading.skipped, outcome.leftOutAsStored, false);
    QString message = said.messageText + QLatin1Char('\n');
    if (!said.informativeText.isEmpty())
        message += said.informativeText + QLatin1Char('\n');
    if (nothingRead) {
        ConsoleOutput::error(message);
        return 1;
    }
    ConsoleOutput::print(message);
    return 0;
}

} // namespace ImportCommand
