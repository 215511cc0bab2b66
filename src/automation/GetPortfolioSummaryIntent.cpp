#include "automation/GetPortfolioSummaryIntent.h"

#include "automation/Texts.h"

namespace {
GetPortfolioSummaryIntent::Outcome outcomeOf(const std::vector<StatsInput>& inputs)
{
    const PortfolioSummary summary = PortfolioStats::summary(inputs);
    return {summary, GetPortfolioSummaryIntent::dialog(summary)};
}
} // namespace

GetPortfolioSummaryIntent::Outcome GetPortfolioSummaryIntent::perform() const { return outcomeOf(IntentsDataProvider::statsInputs()); }

GetPortfolioSummaryIntent::Outcome GetPortfolioSummaryIntent::perform(PersistentContainer& container) const
{
    return outcomeOf(IntentsDataProvider::statsInputs(container));
}

QString GetPortfolioSummaryIntent::dialog(const PortfolioSummary& s)
{
    const QString sign = s.investmentGain >= 0 ? QStringLiteral("+") : QString();
    return QStringLiteral("Current value: %1\nInvestment gain: %2%3 (%2%4)\nNet cash flows: %5")
        .arg(Texts::currency(s.currentValue), sign, Texts::currency(s.investmentGain), Texts::percent(s.gainPercent),
             Texts::currency(s.netCashFlows));
}
