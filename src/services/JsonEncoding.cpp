#include "services/JsonEncoding.h"

#include "analytics/YearlyPortfolio.h"
#include "model/BalanceEntry.h"
#include "model/TSXYear.h"

#include <QDateTime>

#include <cmath>

namespace JsonEncoding {
namespace {

QJsonValue number(double value) { return std::isfinite(value) ? QJsonValue(value) : QJsonValue(); }

QJsonValue number(const std::optional<double>& value) { return value ? number(*value) : QJsonValue(); }

QJsonValue text(const std::optional<QString>& value) { return value ? QJsonValue(*value) : QJsonValue(); }

QJsonValue id(const std::optional<Uuid>& value)
{
    return value ? QJsonValue(QString::fromStdString(value->toString())) : QJsonValue();
}

QJsonValue date(const std::optional<Instant>& value)
{
    if (!value)
        return {};
    const long long ms = millisecondsOf(*value);
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return utc.toString(ms % 1000 == 0 ? Qt::ISODate : Qt::ISODateWithMs);
}

// An attribute's value in JSON: ids and dates as text, amounts as numbers (null when not
// finite), integers as integers, absent values as null.
QJsonValue attributeValue(const std::optional<Uuid>& value) { return id(value); }
QJsonValue attributeValue(const std::optional<Instant>& value) { return date(value); }
QJsonValue attributeValue(const std::optional<QString>& value) { return text(value); }
QJsonValue attributeValue(double value) { return number(value); }
QJsonValue attributeValue(std::int32_t value) { return static_cast<qint64>(value); }
QJsonValue attributeValue(std::int16_t value) { return static_cast<qint64>(value); }

// Every attribute under its name.
template <class Entity>
QJsonObject attributes(const typename Entity::Values& values)
{
    QJsonObject object;
    forEachAttribute<Entity>([&](auto, const auto& attribute) {
        object.insert(QLatin1String(attribute.name.data(), qsizetype(attribute.name.size())), attributeValue(values.*attribute.field));
    });
    return object;
}

template <class Object, class Encode>
QJsonArray array(const std::vector<std::shared_ptr<Object>>& objects, Encode encode)
{
    QJsonArray result;
    for (const auto& object : objects)
        result.append(encode(*object));
    return result;
}

QJsonObject yearValues(const TSXYearInput& input)
{
    return {
        {QStringLiteral("year"), static_cast<qint64>(input.year)},
        {QStringLiteral("label"), input.label ? QJsonValue(QString::fromStdString(*input.label)) : QJsonValue()},
        {QStringLiteral("tsxReturn"), number(input.tsxReturn)},
        {QStringLiteral("actualStart"), number(input.actualStart)},
        {QStringLiteral("actualEnd"), number(input.actualEnd)},
        {QStringLiteral("netCashFlows"), number(input.netCashFlows)},
        {QStringLiteral("sortOrder"), static_cast<qint64>(input.sortOrder)},
    };
}

} // namespace

QJsonObject entry(const BalanceEntry& entry) { return attributes<BalanceEntry>(entry.values()); }

QJsonArray entries(const std::vector<std::shared_ptr<BalanceEntry>>& list) { return array(list, entry); }

QJsonObject year(const TSXYear& year) { return attributes<TSXYear>(year.values()); }

QJsonArray years(const std::vector<std::shared_ptr<TSXYear>>& list) { return array(list, year); }

QJsonObject summary(const PortfolioSummary& summary)
{
    return {
        {QStringLiteral("startingBalance"), number(summary.startingBalance)},
        {QStringLiteral("netCashFlows"), number(summary.netCashFlows)},
        {QStringLiteral("currentValue"), number(summary.currentValue)},
        {QStringLiteral("investmentGain"), number(summary.investmentGain)},
        {QStringLiteral("gainPercent"), number(summary.gainPercent)},
    };
}

QJsonObject returns(const ReturnWindow& window, const ReturnFigures& figures)
{
    const std::optional<Drawdown>& deepest = figures.maxDrawdown;
    const std::optional<Drawdown>& current = figures.currentDrawdown;
    const auto depth = [](const std::optional<Drawdown>& d) { return d ? std::optional(d->depth) : std::nullopt; };
    const auto peak = [](const std::optional<Drawdown>& d) { return d ? std::optional(d->peak) : std::nullopt; };
    return {
        {QStringLiteral("window"), QString::fromStdString(window.label)},
        {QStringLiteral("periodStart"), date(figures.periodStart)},
        {QStringLiteral("periodEnd"), date(figures.periodEnd)},
        {QStringLiteral("annualisedOverDays"), figures.annualisedOverDays ? QJsonValue(qint64(*figures.annualisedOverDays)) : QJsonValue()},
        {QStringLiteral("timeWeightedReturn"), number(figures.timeWeighted)},
        {QStringLiteral("moneyWeightedReturn"), number(figures.moneyWeighted)},
        {QStringLiteral("moneyWeightedReturnForPeriod"), number(figures.moneyWeightedForPeriod)},
        {QStringLiteral("modifiedDietzReturn"), number(figures.modifiedDietz)},
        {QStringLiteral("annualisedTimeWeightedReturn"), number(figures.annualisedTimeWeighted)},
        {QStringLiteral("maxDrawdown"), number(depth(deepest))},
        {QStringLiteral("maxDrawdownPeak"), date(peak(deepest))},
        {QStringLiteral("maxDrawdownTrough"), date(deepest ? std::optional(deepest->trough) : std::nullopt)},
        {QStringLiteral("maxDrawdownRecovery"), date(deepest ? deepest->recovery : std::nullopt)},
        {QStringLiteral("currentDrawdown"), number(depth(current))},
        {QStringLiteral("currentDrawdownPeak"), date(peak(current))},
    };
}

QJsonObject statistics(const PortfolioStatistics& statistics)
{
    QJsonObject json = summary(statistics.summary);
    json.insert(QStringLiteral("maximumBalance"), number(statistics.maxBalance));
    json.insert(QStringLiteral("averageBalance30Days"), number(statistics.averageBalance1Month));
    json.insert(QStringLiteral("averageBalance91Days"), number(statistics.averageBalance3Months));
    json.insert(QStringLiteral("averageBalance182Days"), number(statistics.averageBalance6Months));
    json.insert(QStringLiteral("averageBalance365Days"), number(statistics.averageBalance1Year));
    json.insert(QStringLiteral("totalDeposits"), number(statistics.totalDeposits));
    json.insert(QStringLiteral("totalWithdrawals"), number(statistics.totalWithdrawals));
    const QJsonObject figures = returns(statistics.returnsWindow, statistics.returns);
    for (auto figure = figures.begin(); figure != figures.end(); ++figure)
        json.insert(figure.key(), figure.value());
    return json;
}

QJsonObject comparison(const YearlyComparison& comparison)
{
    QJsonArray rows;
    for (const TSXRow& row : comparison.rows)
        rows.append(QJsonObject{
            {QStringLiteral("year"), yearValues(row.input)},
            {QStringLiteral("simulated"), number(row.simulated)},
            {QStringLiteral("yourReturn"), number(YearlyPortfolio::yearReturn(row.input.actualStart, row.input.actualEnd, row.input.netCashFlows))},
        });
    QJsonValue figures;
    if (const auto& c = comparison.comparison)
        figures = QJsonObject{
            {QStringLiteral("portfolioStartingBalance"), number(c->portfolioStartingBalance)},
            {QStringLiteral("tsxStartingBalance"), number(c->tsxStartingBalance)},
            {QStringLiteral("portfolioNetCashFlows"), number(c->portfolioNetCashFlows)},
            {QStringLiteral("tsxNetCashFlows"), number(c->tsxNetCashFlows)},
            {QStringLiteral("portfolioCurrentValue"), number(c->portfolioCurrentValue)},
            {QStringLiteral("tsxCurrentValue"), number(c->tsxCurrentValue)},
            {QStringLiteral("portfolioInvestmentGain"), number(c->portfolioInvestmentGain)},
            {QStringLiteral("tsxInvestmentGain"), number(c->tsxInvestmentGain)},
            {QStringLiteral("portfolioGainPercent"), number(c->portfolioGainPercent)},
            {QStringLiteral("tsxGainPercent"), number(c->tsxGainPercent)},
        };
    return {{QStringLiteral("rows"), rows}, {QStringLiteral("comparison"), figures}};
}

QJsonArray entryYears(const std::vector<EntryYear>& years)
{
    QJsonArray rows;
    for (const EntryYear& year : years)
        rows.append(QJsonObject{
            {QStringLiteral("year"), static_cast<qint64>(year.year)},
            {QStringLiteral("actualStart"), number(year.figures.actualStart)},
            {QStringLiteral("actualEnd"), number(year.figures.actualEnd)},
            {QStringLiteral("netCashFlows"), number(year.figures.netCashFlows)},
            {QStringLiteral("timeWeightedReturn"), number(year.timeWeightedReturn)},
        });
    return rows;
}

} // namespace JsonEncoding
