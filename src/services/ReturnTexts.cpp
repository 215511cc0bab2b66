#include "services/ReturnTexts.h"

#include "services/DisplayText.h"

namespace ReturnTexts {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ReturnTexts)
};
} // namespace

QString heading(const ReturnFigures& figures)
{
    if (!figures.periodStart || !figures.periodEnd)
        return Words::tr("Returns");
    return Words::tr("Returns, %1 – %2").arg(DisplayText::date(*figures.periodStart), DisplayText::date(*figures.periodEnd));
}

QString maxDrawdownDays(const Drawdown& drawdown)
{
    const QString recovery = drawdown.recovery ? Words::tr("recovered on %1").arg(DisplayText::date(*drawdown.recovery))
                                               : Words::tr("not yet recovered");
    return Words::tr("From the peak of %1 to the trough of %2; %3.")
        .arg(DisplayText::date(drawdown.peak), DisplayText::date(drawdown.trough), recovery);
}

QString currentDrawdownDays(const Drawdown& drawdown) { return Words::tr("Peak on %1.").arg(DisplayText::date(drawdown.peak)); }

QString rate(std::optional<double> value) { return value ? DisplayText::percent(*value) : QStringLiteral("—"); }
} // namespace ReturnTexts
