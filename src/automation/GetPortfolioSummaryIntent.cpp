#include "automation/GetPortfolioSummaryIntent.h"

#include "services/DisplayText.h"

GetPortfolioSummaryIntent::Outcome GetPortfolioSummaryIntent::perform(PersistentContainer& container) const
{
    return summarise(IntentsDataProvider::statsInputs(container));
}

GetPortfolioSummaryIntent::Outcome GetPortfolioSummaryIntent::summarise(std::span<const StatsInput> inputs)
{
    const PortfolioSummary summary = PortfolioStats::summary(inputs);
    return {summary, dialog(summary)};
}

QString GetPortfolioSummaryIntent::dialog(const PortfolioSummary& s)
{
    const QString sign = s.investmentGain >= 0 ? QStringLiteral("+") : QString();
    return tr("Current value: %1\nInvestment gain: %2%3 (%2%4)\nNet cash flows: %5")
        .arg(DisplayText::currency(s.currentValue), sign, DisplayText::currency(s.investmentGain), DisplayText::percent(s.gainPercent),
             DisplayText::currency(s.netCashFlows));
}
