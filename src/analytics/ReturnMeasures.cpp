#include "analytics/ReturnMeasures.h"

#include "analytics/MoneyWeightedReturn.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace {
constexpr double daysPerYear = 365;

// Whether `value` is zero but for rounding in the sums that made it from `a` and `b`.
bool nearZero(double value, double a, double b) { return std::abs(value) <= 1e-9 * std::max(std::abs(a), std::abs(b)); }

bool allFinite(std::span<const ReturnDay> days)
{
    return std::all_of(days.begin(), days.end(), [](const ReturnDay& day) { return std::isfinite(day.balance) && std::isfinite(day.flow); });
}

// Whether the measures can say anything about these days.
bool measurable(std::span<const ReturnDay> days) { return days.size() >= 2 && days.back().day > 0 && allFinite(days); }

// The flow-neutral value of each day, 1 on the first (see ReturnFigures::timeWeighted).
std::optional<std::vector<double>> flowNeutralValues(std::span<const ReturnDay> days)
{
    std::vector<double> values{1.0};
    values.reserve(days.size());
    for (std::size_t i = 1; i < days.size(); ++i) {
        const double start = days[i - 1].balance;
        const double beforeFlow = days[i].balance - days[i].flow;
        double growth = 1;
        if (start > 0)
            growth = beforeFlow / start;
        else if (start < 0 || !nearZero(beforeFlow, days[i].balance, days[i].flow))
            return std::nullopt;
        if (growth < 0)
            return std::nullopt;
        values.push_back(values.back() * growth);
    }
    if (!std::isfinite(values.back()))
        return std::nullopt;
    return values;
}

// The investor's flows from the first day that holds money on: its balance paid in, later
// flows paid in or received, the last balance received.
std::vector<DatedAmount> investorFlows(std::span<const ReturnDay> days)
{
    std::vector<DatedAmount> flows;
    flows.reserve(days.size());
    flows.push_back(DatedAmount{days.front().day, -days.front().balance});
    for (const ReturnDay& day : days.subspan(1))
        flows.push_back(DatedAmount{day.day, -day.flow});
    flows.back().amount += days.back().balance;
    return flows;
}

std::optional<double> modifiedDietz(std::span<const ReturnDay> days)
{
    const double length = static_cast<double>(days.back().day);
    double flows = 0;
    double weighted = 0;
    for (const ReturnDay& day : days.subspan(1)) {
        flows += day.flow;
        weighted += day.flow * (length - static_cast<double>(day.day)) / length;
    }
    const double capital = days.front().balance + weighted;
    if (!(capital > 0))
        return std::nullopt;
    return (days.back().balance - days.front().balance - flows) / capital;
}

Drawdown maxDrawdown(std::span<const ReturnDay> days, const std::vector<double>& values)
{
    std::size_t deepestPeak = 0;
    std::size_t deepestTrough = 0;
    double depth = 0;
    std::size_t peak = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i] > values[peak]) {
            peak = i;
            continue;
        }
        if (const double fall = values[i] / values[peak] - 1; fall < depth)
            std::tie(depth, deepestPeak, deepestTrough) = std::tuple(fall, peak, i);
    }
    Drawdown deepest{depth, days[deepestPeak].date, days[deepestTrough].date, std::nullopt};
    if (depth < 0)
        for (std::size_t i = deepestTrough + 1; i < values.size() && !deepest.recovery; ++i)
            if (values[i] >= values[deepestPeak])
                deepest.recovery = days[i].date;
    return deepest;
}

// From the last day the value stood at its highest to the last day.
Drawdown currentDrawdown(std::span<const ReturnDay> days, const std::vector<double>& values)
{
    std::size_t peak = 0;
    for (std::size_t i = 1; i < values.size(); ++i)
        if (values[i] >= values[peak])
            peak = i;
    return Drawdown{values.back() / values[peak] - 1, days[peak].date, days.back().date, std::nullopt};
}
} // namespace

namespace ReturnMeasures {
ReturnFigures over(std::span<const StatsInput> inputs, DateRange range, Instant now)
{
    return over(inputs, ReturnWindow::of(range, now));
}

ReturnFigures over(std::span<const StatsInput> inputs, const ReturnWindow& window)
{
    return of(ReturnDays::of(inputs, window.from, window.until));
}

std::optional<double> timeWeighted(std::span<const ReturnDay> days)
{
    if (!measurable(days))
        return std::nullopt;
    const auto values = flowNeutralValues(days);
    return values ? std::optional(values->back() - 1) : std::nullopt;
}

ReturnFigures of(std::span<const ReturnDay> days)
{
    ReturnFigures figures;
    if (!days.empty()) {
        figures.periodStart = days.front().date;
        figures.periodEnd = days.back().date;
    }
    if (!measurable(days))
        return figures;
    figures.modifiedDietz = modifiedDietz(days);

    const auto holdsMoney = std::find_if(days.begin(), days.end(), [](const ReturnDay& day) { return day.balance != 0; });
    const long long moneyDays = holdsMoney == days.end() ? 0 : days.back().day - holdsMoney->day;
    const bool perYear = moneyDays >= daysPerYear;
    if (moneyDays > 0) {
        figures.annualisedOverDays = moneyDays;
        const std::vector<DatedAmount> flows = investorFlows(days.subspan(std::size_t(holdsMoney - days.begin())));
        figures.moneyWeightedForPeriod = MoneyWeightedReturn::overSpan(flows);
        if (perYear)
            figures.moneyWeighted = MoneyWeightedReturn::xirr(flows);
    }

    const std::optional<std::vector<double>> values = flowNeutralValues(days);
    if (!values)
        return figures;
    figures.timeWeighted = values->back() - 1;
    if (perYear)
        figures.annualisedTimeWeighted = std::pow(values->back(), daysPerYear / static_cast<double>(moneyDays)) - 1;
    figures.maxDrawdown = maxDrawdown(days, *values);
    figures.currentDrawdown = currentDrawdown(days, *values);
    return figures;
}
} // namespace ReturnMeasures
