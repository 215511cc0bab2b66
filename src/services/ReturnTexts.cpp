#include "services/ReturnTexts.h"

#include "services/DisplayText.h"

namespace ReturnTexts {
QString heading(const ReturnFigures& figures)
{
    if (!figures.periodStart || !figures.periodEnd)
        return QStringLiteral("Returns");
    return QStringLiteral("Returns, %1 – %2").arg(DisplayText::date(*figures.periodStart), DisplayText::date(*figures.periodEnd));
}

QString maxDrawdownDays(const Drawdown& drawdown)
{
    const QString recovery = drawdown.recovery ? QStringLiteral("recovered on %1").arg(DisplayText::date(*drawdown.recovery))
                                               : QStringLiteral("not yet recovered");
    return QStringLiteral("From the peak of %1 to the trough of %2; %3.")
        .arg(DisplayText::date(drawdown.peak), DisplayText::date(drawdown.trough), recovery);
}

QString currentDrawdownDays(const Drawdown& drawdown) { return QStringLiteral("Peak on %1.").arg(DisplayText::date(drawdown.peak)); }

QString rate(std::optional<double> value) { return value ? DisplayText::percent(*value) : QStringLiteral("—"); }
} // namespace ReturnTexts
