#include "services/ImportPreviewText.h"

#include "services/DisplayText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <algorithm>

namespace ImportPreviewText {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ImportPreviewText)
};

// "June 4, 2026": the long form leaves no doubt about which number was the month.
QString spelledOut(Instant instant)
{
    const QDate day = QDateTime::fromMSecsSinceEpoch(millisecondsOf(instant)).date();
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(day, QStringLiteral("MMMM d, yyyy"));
}

QString patternName(std::size_t pattern)
{
    const std::string_view name = CSVPorter::importDatePatterns[pattern];
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The patterns that read rows, most rows first (ties in pattern order).
std::vector<std::size_t> patternsUsed(const CSVPorter::ImportReading& reading)
{
    std::vector<std::size_t> used;
    for (std::size_t i = 0; i < reading.datePatterns.size(); ++i)
        if (reading.datePatterns[i].rows > 0)
            used.push_back(i);
    std::stable_sort(used.begin(), used.end(),
                     [&](std::size_t a, std::size_t b) { return reading.datePatterns[a].rows > reading.datePatterns[b].rows; });
    return used;
}

} // namespace

QStringList dateReadings(const CSVPorter::ImportReading& reading)
{
    QStringList texts;
    for (const std::size_t pattern : patternsUsed(reading)) {
        const CSVPorter::DatePatternUse& use = reading.datePatterns[pattern];
        texts.append(QStringLiteral("%1: %2 is %3").arg(patternName(pattern), use.example, spelledOut(use.instant)));
    }
    return texts;
}

QString dateOrder(const CSVPorter::ImportReading& reading)
{
    const std::vector<std::size_t> used = patternsUsed(reading);
    return used.empty() ? QString() : patternName(used.front());
}

std::optional<std::pair<Instant, Instant>> dateRange(const CSVPorter::ImportReading& reading)
{
    if (reading.rows.empty())
        return std::nullopt;
    std::pair<Instant, Instant> range{Instant::max(), Instant::min()};
    for (const CSVPorter::ReadRow& row : reading.rows) {
        range.first = std::min(range.first, *row.values.date);
        range.second = std::max(range.second, *row.values.date);
    }
    return range;
}

QString dateRangeText(const CSVPorter::ImportReading& reading)
{
    const auto range = dateRange(reading);
    if (!range)
        return {};
    return DisplayText::date(range->first) + QStringLiteral(" \u2013 ") + DisplayText::date(range->second);
}

QStringList rowCells(const BalanceEntry::Values& values)
{
    return {DisplayText::entryDate(values.date), DisplayText::currency(values.balance), DisplayText::entryAdjustment(values.adjustment),
            DisplayText::entryTransfers(values.transfers), values.note.value_or(QString())};
}

QString alreadyStoredText(std::int64_t count)
{
    return count == 1 ? Words::tr("1 of these rows is already stored") : Words::tr("%1 of these rows are already stored").arg(count);
}

QString decimalCommaText() { return Words::tr("The amounts look like numbers with a decimal comma, such as 1.234,56."); }

} // namespace ImportPreviewText
