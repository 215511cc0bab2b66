#include "automation/FigureTables.h"

#include "analytics/YearlyPortfolio.h"
#include "automation/TerminalText.h"
#include "services/DisplayText.h"
#include "services/ReturnTexts.h"

#include <QStringList>

namespace {
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
    {"Starting Balance", &TSXComparison::portfolioStartingBalance, &TSXComparison::tsxStartingBalance},
    {"Net Cash Flows", &TSXComparison::portfolioNetCashFlows, &TSXComparison::tsxNetCashFlows},
    {"Current Value", &TSXComparison::portfolioCurrentValue, &TSXComparison::tsxCurrentValue},
    {"Investment Gain (excl. cash flows)", &TSXComparison::portfolioInvestmentGain, &TSXComparison::tsxInvestmentGain},
};
constexpr ComparisonRow percentRow = {"Gain as % of Start + Cash Flows", &TSXComparison::portfolioGainPercent,
                                      &TSXComparison::tsxGainPercent};
// The returns over the statistics' window, under the heading that names its dates; "—" where
// a measure has no result.
QString returns(const PortfolioStatistics& s)
{
    QString text = QLatin1Char('\n') + ReturnTexts::heading(s.returns) + QLatin1Char('\n')
        + line({QStringLiteral("Window"), QString::fromStdString(s.returnsWindow.label)});
    for (const ReturnRow& row : ReturnTexts::rows)
        text += line({QString::fromUtf8(row.label), ReturnTexts::rate(row.value(s.returns))});
    return text;
}

QString average(const std::optional<double>& value) { return value ? DisplayText::currency(*value) : QStringLiteral("—"); }
} // namespace

namespace FigureTables {

QString statistics(const PortfolioStatistics& s)
{
    using DisplayText::currency;
    const PortfolioSummary& summary = s.summary;
    return QStringLiteral("Portfolio Stats\n")
        + line({QStringLiteral("Maximum Balance"), currency(s.maxBalance)})
        + line({QStringLiteral("Avg Balance (1 Month)"), average(s.averageBalance1Month)})
        + line({QStringLiteral("Avg Balance (3 Months)"), average(s.averageBalance3Months)})
        + line({QStringLiteral("Avg Balance (6 Months)"), average(s.averageBalance6Months)})
        + line({QStringLiteral("Avg Balance (1 Year)"), average(s.averageBalance1Year)})
        + line({QStringLiteral("Total Deposits"), currency(s.totalDeposits)})
        + line({QStringLiteral("Total Withdrawals"), currency(s.totalWithdrawals)})
        + QStringLiteral("\nSummary\n")
        + line({QStringLiteral("Starting Balance"), currency(summary.startingBalance)})
        + line({QStringLiteral("Net Cash Flows"), currency(summary.netCashFlows)})
        + line({QStringLiteral("Current Value"), currency(summary.currentValue)})
        + line({QStringLiteral("Investment Gain (excl. cash flows)"), currency(summary.investmentGain)})
        + line({QStringLiteral("Gain as % of Start + Cash Flows"), DisplayText::percent(summary.gainPercent)})
        + returns(s);
}

QString comparison(const YearlyComparison& comparison)
{
    QString text = QStringLiteral("Portfolio vs S&P/TSX Composite (Total Return)\n")
        + line({QStringLiteral("Year"), QStringLiteral("TSX Return"), QStringLiteral("Net Cash Flows"), QStringLiteral("Actual Start"),
                QStringLiteral("Actual End"), QStringLiteral("TSX Simulated"), QStringLiteral("Your Return")});
    for (const TSXRow& row : comparison.rows) {
        const TSXYearInput& year = row.input;
        text += line({yearName(year), DisplayText::percent(year.tsxReturn), DisplayText::currency(year.netCashFlows),
                      DisplayText::currency(year.actualStart), DisplayText::currency(year.actualEnd), DisplayText::currency(row.simulated),
                      ReturnTexts::rate(YearlyPortfolio::yearReturn(year.actualStart, year.actualEnd, year.netCashFlows))});
    }
    text += QLatin1Char('\n');
    if (!comparison.comparison)
        return text + QStringLiteral("Add yearly data to see the comparison.\n");
    const TSXComparison& c = *comparison.comparison;
    text += QStringLiteral("Summary\n")
        + line({QString(), QStringLiteral("Your Portfolio"), QStringLiteral("TSX Equivalent"), QStringLiteral("Difference")});
    for (const ComparisonRow& row : moneyRows)
        text += line({QString::fromUtf8(row.title), DisplayText::currency(c.*row.portfolio), DisplayText::currency(c.*row.tsx),
                      DisplayText::currency(c.*row.portfolio - c.*row.tsx)});
    text += line({QString::fromUtf8(percentRow.title), DisplayText::percent(c.*percentRow.portfolio), DisplayText::percent(c.*percentRow.tsx),
                  DisplayText::percent(c.*percentRow.portfolio - c.*percentRow.tsx)});
    return text;
}

QString entryYears(const std::vector<EntryYear>& years)
{
    QString text = line({QStringLiteral("Year"), QStringLiteral("Actual Start"), QStringLiteral("Actual End"), QStringLiteral("Net Cash Flows"),
                         QStringLiteral("Time-Weighted Return")});
    for (const EntryYear& year : years)
        text += line({QString::number(year.year), DisplayText::currency(year.figures.actualStart), DisplayText::currency(year.figures.actualEnd),
                      DisplayText::currency(year.figures.netCashFlows), ReturnTexts::rate(year.timeWeightedReturn)});
    return text;
}

} // namespace FigureTables
