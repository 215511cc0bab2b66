#include "automation/JsonOutput.h"

#include "automation/ConsoleOutput.h"
#include "model/NewEntry.h"
#include "services/JsonEncoding.h"

#include <QJsonDocument>

#include <cmath>

namespace {
QJsonValue finiteOrNull(double value) { return std::isfinite(value) ? QJsonValue(value) : QJsonValue(); }

int printDocument(const QJsonDocument& document)
{
    if (!ConsoleOutput::write(document.toJson(QJsonDocument::Indented)))
        return ConsoleOutput::failure(QStringLiteral("corvanta: standard output could not be written"));
    return 0;
}
} // namespace

namespace JsonOutput {

QJsonObject entity(const BalanceEntryEntity& entity)
{
    const auto entry = makeBalanceEntry({entity.id, entity.date, entity.balance, entity.adjustment, entity.transfers, entity.note});
    QJsonObject json = JsonEncoding::entry(*entry);
    const DisplayRepresentation shown = entity.displayRepresentation();
    json.insert(QStringLiteral("title"), shown.title);
    json.insert(QStringLiteral("subtitle"), shown.subtitle ? QJsonValue(*shown.subtitle) : QJsonValue());
    return json;
}

QJsonArray entities(const std::vector<BalanceEntryEntity>& list)
{
    QJsonArray array;
    for (const BalanceEntryEntity& one : list)
        array.append(entity(one));
    return array;
}

QJsonObject summary(const PortfolioSummary& summary, const QString& dialog)
{
    QJsonObject json = JsonEncoding::summary(summary);
    json.insert(QStringLiteral("dialog"), dialog);
    return json;
}

QJsonObject statistics(const PortfolioStatistics& s)
{
    QJsonObject json = JsonEncoding::summary(s.summary);
    json.insert(QStringLiteral("maximumBalance"), finiteOrNull(s.maxBalance));
    json.insert(QStringLiteral("averageBalance30Days"), finiteOrNull(s.averageBalance1Month));
    json.insert(QStringLiteral("averageBalance91Days"), finiteOrNull(s.averageBalance3Months));
    json.insert(QStringLiteral("averageBalance182Days"), finiteOrNull(s.averageBalance6Months));
    json.insert(QStringLiteral("averageBalance365Days"), finiteOrNull(s.averageBalance1Year));
    json.insert(QStringLiteral("totalDeposits"), finiteOrNull(s.totalDeposits));
    json.insert(QStringLiteral("totalWithdrawals"), finiteOrNull(s.totalWithdrawals));
    const QJsonObject returns = JsonEncoding::returns(s.returnsWindow, s.returns);
    for (auto figure = returns.begin(); figure != returns.end(); ++figure)
        json.insert(figure.key(), figure.value());
    return json;
}

QJsonObject comparison(const YearlyComparison& comparison) { return JsonEncoding::comparison(comparison); }

int print(const QJsonObject& document) { return printDocument(QJsonDocument(document)); }
int print(const QJsonArray& document) { return printDocument(QJsonDocument(document)); }

} // namespace JsonOutput
