#include "automation/GetPortfolioSummaryIntent.h"

#include "automation/Texts.h"

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
    return QStringLiteral("Current value: %1\nInvestment gain: %2%3 (%2%4)\nNet cash flows: %5")
        .arg(Texts::currency(s.currentValue), sign, Texts::currency(s.investmentGain), Texts::percent(s.gainPercent),
             Texts::currency(s.netCashFlows));
}
