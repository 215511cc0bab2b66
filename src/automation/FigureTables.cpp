#include "automation/FigureTables.h"

#include "analytics/YearlyPortfolio.h"
#include "automation/TerminalText.h"
#include "services/DisplayText.h"
#include "services/ReturnTexts.h"

#include <QCoreApplication>
#include <QStringList>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(FigureTables)
};

QString line(std::initializer_list<QString> cells) { return QStringList(cells).join(QLatin1Char('\t')) + QLatin1Char('\n'); }

QString yearName(const TSXYearInput& input)
{
    if (input.label && !input.label->empty())
        return TerminalText::escaped(QString::fromStdString(*input.label));
    return QString::number(input.year);
}

struct ComparisonRow {
    const char* title;
    double TSXComparison::*portfolio;
    double TSXComparison::*tsx;
};

constexpr ComparisonRow moneyRows[] = {
    {QT_TRANSLATE_NOOP("FigureTables", "Starting Balance"), &TSXComparison::portfolioStartingBalance, &TSXComparison::tsxStartingBalance},
    {QT_TRANSLATE_NOOP("FigureTables", "Net Cash Flows"), &TSXComparison::portfolioNetCashFlows, &TSXComparison::tsxNetCashFlows},
    {QT_TRANSLATE_NOOP("FigureTables", "Current Value"), &TSXComparison::portfolioCurrentValue, &TSXComparison::tsxCurrentValue},
    {QT_TRANSLATE_NOOP("FigureTables", "Investment Gain (excl. cash flows)"), &TSXComparison::portfolioInvestmentGain, &TSXComparison::tsxInvestmentGain},
};
constexpr ComparisonRow percentRow = {QT_TRANSLATE_NOOP("FigureTables", "Gain as % of Start + Cash Flows"), &TSXComparison::portfolioGainPercent,
                                      &TSXComparison::tsxGainPercent};
// The returns over the statistics' window, under the heading that names its dates; "—" where
// a measure has no result.
QString returns(const PortfolioStatistics& s)
{
    QString text = QLatin1Char('\n') + ReturnTexts::heading(s.returns) + QLatin1Char('\n')
        + line({Words::tr("Window"), QString::fromStdString(s.returnsWindow.label)});
    for (const ReturnRow& row : ReturnTexts::rows)
        text += line({QCoreApplication::translate(ReturnTexts::context, row.label), ReturnTexts::rate(row.value(s.returns))});
    return text;
}

QString average(const std::optional<double>& value) { return value ? DisplayText::currency(*value) : QStringLiteral("—"); }
} // namespace

namespace FigureTables {

QString statistics(const PortfolioStatistics& s)
{
    using DisplayText::currency;
    const PortfolioSummary& summary = s.summary;
    return Words::tr("Portfolio Stats") + QLatin1Char('\n')
        + line({Words::tr("Maximum Balance"), currency(s.maxBalance)})
        + line({Words::tr("Avg Balance (1 Month)"), average(s.averageBalance1Month)})
        + line({Words::tr("Avg Balance (3 Months)"), average(s.averageBalance3Months)})
        + line({Words::tr("Avg Balance (6 Months)"), average(s.averageBalance6Months)})
        + line({Words::tr("Avg Balance (1 Year)"), average(s.averageBalance1Year)})
        + line({Words::tr("Total Deposits"), currency(s.totalDeposits)})
        + line({Words::tr("Total Withdrawals"), currency(s.totalWithdrawals)})
        + QLatin1Char('\n') + Words::tr("Summary") + QLatin1Char('\n')
        + line({Words::tr("Starting Balance"), currency(summary.startingBalance)})
        + line({Words::tr("Net Cash Flows"), currency(summary.netCashFlows)})
        + line({Words::tr("Current Value"), currency(summary.currentValue)})
        + line({Words::tr("Investment Gain (excl. cash flows)"), currency(summary.investmentGain)})
        + line({Words::tr("Gain as % of Start + Cash Flows"), DisplayText::percent(summary.gainPercent)})
        + returns(s);
}

QString comparison(const YearlyComparison& comparison)
{
    QString text = Words::tr("Portfolio vs S&P/TSX Composite (Total Return)") + QLatin1Char('\n')
        + line({Words::tr("Year"), Words::tr("TSX Return"), Words::tr("Net Cash Flows"), Words::tr("Actual Start"),
                Words::tr("Actual End"), Words::tr("TSX Simulated"), Words::tr("Your Return")});
    for (const TSXRow& row : comparison.rows) {
        const TSXYearInput& year = row.input;
        text += line({yearName(year), DisplayText::percent(year.tsxReturn), DisplayText::currency(year.netCashFlows),
                      DisplayText::currency(year.actualStart), DisplayText::currency(year.actualEnd), DisplayText::currency(row.simulated),
                      ReturnTexts::rate(YearlyPortfolio::yearReturn(year.actualStart, year.actualEnd, year.netCashFlows))});
    }
    text += QLatin1Char('\n');
    if (!comparison.comparison)
        return text + Words::tr("Add yearly data to see the comparison.") + QLatin1Char('\n');
    const TSXComparison& c = *comparison.comparison;
    text += Words::tr("Summary") + QLatin1Char('\n')
        + line({QString(), Words::tr("Your Portfolio"), Words::tr("TSX Equivalent"), Words::tr("Difference")});
    for (const ComparisonRow& row : moneyRows)
        text += line({Words::tr(row.title), DisplayText::currency(c.*row.portfolio), DisplayText::currency(c.*row.tsx),
                      DisplayText::currency(c.*row.portfolio - c.*row.tsx)});
    text += line({Words::tr(percentRow.title), DisplayText::percent(c.*percentRow.portfolio), DisplayText::percent(c.*percentRow.tsx),
                  DisplayText::percent(c.*percentRow.portfolio - c.*percentRow.tsx)});
    return text;
}

QString entryYears(const std::vector<EntryYear>& years)
{
    QString text = line({Words::tr("Year"), Words::tr("Actual Start"), Words::tr("Actual End"), Words::tr("Net Cash Flows"),
                         Words::tr("Time-Weighted Return")});
    for (const EntryYear& year : years)
        text += line({QString::number(year.year), DisplayText::currency(year.figures.actualStart), DisplayText::currency(year.figures.actualEnd),
                      DisplayText::currency(year.figures.netCashFlows), ReturnTexts::rate(year.timeWeightedReturn)});
    return text;
}

} // namespace FigureTables
