#include "analytics/ReturnMeasures.h"

#include "analytics/MoneyWeightedReturn.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr double daysPerYear = 365;

// Whether `value` is zero but for rounding in the sums that made it from `a` and `b`.
bool nearZero(double value, double a, double b) { return std::abs(value) <= 1e-9 * std::max(std::abs(a), std::abs(b)); }

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
    return values;
}

std::optional<double> moneyWeighted(std::span<const ReturnDay> days)
{
    std::vector<DatedAmount> flows;
    flows.reserve(days.size());
    flows.push_back(DatedAmount{days.front().day, -days.front().balance});
    for (const ReturnDay& day : days.subspan(1))
        flows.push_back(DatedAmount{day.day, -day.flow});
    flows.back().amount += days.back().balance;
    return days.back().day > daysPerYear ? MoneyWeightedReturn::xirr(flows) : MoneyWeightedReturn::overSpan(flows);
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
    Drawdown deepest{0, days.front().date, days.front().date};
    std::size_t peak = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i] > values[peak]) {
            peak = i;
            continue;
        }
        const double depth = values[i] / values[peak] - 1;
        if (depth < deepest.depth)
            deepest = Drawdown{depth, days[peak].date, days[i].date};
    }
    return deepest;
}

bool allFinite(std::span<const ReturnDay> days)
{
    return std::all_of(days.begin(), days.end(), [](const ReturnDay& day) { return std::isfinite(day.balance) && std::isfinite(day.flow); });
}
} // namespace

namespace ReturnMeasures {
ReturnFigures over(std::span<const StatsInput> inputs, DateRange range, Instant now)
{
    return of(ReturnDays::of(inputs, range.startDate(now)));
}

ReturnFigures of(std::span<const ReturnDay> days)
{
    ReturnFigures figures;
    if (days.size() < 2 || days.back().day <= 0 || !allFinite(days))
        return figures;
    figures.moneyWeighted = moneyWeighted(days);
    figures.modifiedDietz = modifiedDietz(days);
    const std::optional<std::vector<double>> values = flowNeutralValues(days);
    if (!values || !std::isfinite(values->back()))
        return figures;
    figures.timeWeighted = values->back() - 1;
    const double years = static_cast<double>(days.back().day) / daysPerYear;
    figures.annualisedTimeWeighted = years > 1 ? std::pow(values->back(), 1 / years) - 1 : *figures.timeWeighted;
    figures.maxDrawdown = maxDrawdown(days, *values);
    return figures;
}
} // namespace ReturnMeasures
