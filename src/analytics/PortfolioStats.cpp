#include "analytics/PortfolioStats.h"

#include "analytics/ChronologicalOrder.h"
#include "analytics/DayStart.h"
#include "analytics/LocalCalendar.h"

#include <algorithm>
#include <cstdint>

namespace {
// Computed in floating point so that far-off instants cannot overflow.
double millisecondsApart(Instant earlier, Instant later)
{
    return static_cast<double>(millisecondsOf(later)) - static_cast<double>(millisecondsOf(earlier));
}

// Whether `key` lies less than two days after `earlier` (or before it).
bool withinTwoDaysAfter(Instant earlier, Instant key) { return millisecondsApart(earlier, key) < 2 * 86'400'000.0; }

// Positions (in the given list) of each local day's last snapshot, in the order in which the
// days are first met walking the snapshots by date, from the `begin`-th in date order to
// before the `end`-th. `dayOf(k)` is the start of the local day of the k-th in date order.
template <class DayOf>
std::vector<std::size_t> dayRepresentatives(const ChronologicalOrder& order, std::size_t begin, std::size_t end, DayOf dayOf)
{
    struct Day {
        Instant key;
        std::size_t representative;
    };
    std::vector<Day> days;
    for (std::size_t k = begin; k < end; ++k) {
        const std::size_t position = order.position(k);
        const Instant key = dayOf(k);
        if (!days.empty() && key == days.back().key) {
            days.back().representative = position;
            continue;
        }
        // A day can come back only when a daylight-saving switch turns the clock back over
        // midnight; it is then among the last few days met.
        auto known = days.rbegin();
        while (known != days.rend() && known->key != key && withinTwoDaysAfter(known->key, key))
            ++known;
        if (known != days.rend() && known->key == key)
            known->representative = position;
        else
            days.push_back(Day{key, position});
    }
    std::vector<std::size_t> representatives(days.size());
    for (std::size_t i = 0; i < days.size(); ++i)
        representatives[i] = days[i].representative;
    return representatives;
}

std::vector<std::size_t> dayRepresentatives(const ChronologicalOrder& order, std::size_t begin, std::size_t end)
{
    DayStart dayStart;
    return dayRepresentatives(order, begin, end, [&](std::size_t k) { return dayStart(order.date(k)); });
}

// The first position in date order whose date lies `days` days or more after `from` (before
// it, for a negative `days`).
std::size_t firstDaysAfter(const ChronologicalOrder& order, Instant from, double days)
{
    std::size_t low = 0;
    std::size_t high = order.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (millisecondsApart(from, order.date(middle)) < days * 86'400'000.0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}
} // namespace

namespace PortfolioStats {
std::vector<std::size_t> dailyPositions(std::span<const StatsInput> inputs)
{
    const ChronologicalOrder order(inputs);
    return dayRepresentatives(order, 0, order.size());
}

std::vector<std::size_t> dailyPositions(std::span<const StatsInput> inputs, std::span<const Instant> dayStarts)
{
    const ChronologicalOrder order(inputs);
    return dayRepresentatives(order, 0, order.size(), [&](std::size_t k) { return dayStarts[order.position(k)]; });
}

std::vector<StatsInput> dailyCollapsed(std::span<const StatsInput> inputs)
{
    std::vector<StatsInput> days;
    for (const std::size_t position : dailyPositions(inputs))
        days.push_back(inputs[position]);
    return days;
}

std::vector<BalancePoint> series(std::span<const StatsInput> inputs)
{
    const ChronologicalOrder order(inputs);
    std::vector<BalancePoint> points;
    points.reserve(order.size());
    double cashFlows = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const StatsInput& input = inputs[order.position(k)];
        cashFlows += input.adjustment;
        points.push_back(BalancePoint{input.id, input.date, input.balance, input.balance - cashFlows});
    }
    return points;
}

void updateSeries(std::span<const StatsInput> inputs, std::size_t unchanged, std::vector<BalancePoint>& points, std::vector<double>& flows)
{
    const bool inOrder = std::is_sorted(inputs.begin(), inputs.end(), [](const StatsInput& a, const StatsInput& b) { return a.date < b.date; });
    if (!inOrder) {
        points = series(inputs);
        flows.clear(); // the next update starts over
        return;
    }
    // In date order a point's running sum is that of the list up to it, as series() adds them.
    std::size_t k = std::min({unchanged, points.size(), flows.size(), inputs.size()});
    points.resize(inputs.size());
    flows.resize(inputs.size());
    double cashFlows = k == 0 ? 0 : flows[k - 1];
    for (; k < inputs.size(); ++k) {
        const StatsInput& input = inputs[k];
        cashFlows += input.adjustment;
        flows[k] = cashFlows;
        points[k] = BalancePoint{input.id, input.date, input.balance, input.balance - cashFlows};
    }
}

double maxBalance(std::span<const StatsInput> inputs) { return totals(inputs).maxBalance; }

double averageBalance(std::span<const StatsInput> inputs, int sinceDays, Instant now)
{
    return averageBalances(inputs, std::span(&sinceDays, 1), now).front().value_or(0);
}

std::vector<std::optional<double>> averageBalances(std::span<const StatsInput> inputs, std::span<const int> sinceDays, Instant now)
{
    struct Window {
        Instant cutoff;
        double sum = 0;
        std::size_t count = 0;
    };
    std::vector<Window> windows;
    std::vector<std::size_t> windowOf; // per requested window, its place in `windows`, or none
    constexpr std::size_t none = SIZE_MAX;
    const auto calendar = LocalCalendar::current();
    for (const int days : sinceDays) {
        const auto cutoff = calendar ? LocalCalendar::adding(*calendar, UCAL_DATE, -static_cast<long long>(days), now) : std::nullopt;
        windowOf.push_back(cutoff ? windows.size() : none);
        if (cutoff)
            windows.push_back(Window{*cutoff});
    }
    // Each window adds its snapshots in list order, as a scan of its own would. Most snapshots
    // lie before every window: one comparison passes them over.
    Instant earliest = Instant::max();
    for (const Window& window : windows)
        earliest = std::min(earliest, window.cutoff);
    for (const StatsInput& input : inputs) {
        if (input.date < earliest)
            continue;
        for (Window& window : windows)
            if (input.date >= window.cutoff) {
                window.sum += input.balance;
                ++window.count;
            }
    }
    std::vector<std::optional<double>> averages;
    for (const std::size_t w : windowOf)
        averages.push_back(w == none || windows[w].count == 0 ? std::nullopt : std::optional(windows[w].sum / static_cast<double>(windows[w].count)));
    return averages;
}

double totalDeposits(std::span<const StatsInput> inputs) { return totals(inputs).totalDeposits; }

double totalWithdrawals(std::span<const StatsInput> inputs) { return totals(inputs).totalWithdrawals; }

PortfolioTotals totals(std::span<const StatsInput> inputs)
{
    // The first balance is the maximum until a larger one comes (a NaN first stays; a NaN
    // later never wins); cash flows are added in list order by sign.
    PortfolioTotals result;
    if (!inputs.empty())
        result.maxBalance = inputs.front().balance;
    for (const StatsInput& input : inputs) {
        if (input.balance > result.maxBalance)
            result.maxBalance = input.balance;
        if (input.adjustment > 0)
            result.totalDeposits += input.adjustment;
        else if (input.adjustment < 0)
            result.totalWithdrawals += input.adjustment;
    }
    return result;
}

PortfolioSummary summary(std::span<const StatsInput> inputs)
{
    PortfolioSummary result;
    // Only the first and the last day count, and a day's snapshots lie within a few days of
    // its start: the walk over a few days at either end finds both.
    const ChronologicalOrder order(inputs);
    if (order.size() == 0)
        return result;
    constexpr double reach = 4;
    const Instant first = order.date(0);
    const Instant last = order.date(order.size() - 1);
    result.startingBalance = inputs[dayRepresentatives(order, 0, firstDaysAfter(order, first, reach)).front()].balance;
    const std::size_t lastDays = firstDaysAfter(order, last, -reach);
    result.currentValue = inputs[dayRepresentatives(order, lastDays, order.size()).back()].balance;
    // The first day's flows are inside the starting balance: counting them again would show
    // an opening deposit as a loss.
    DayStart dayStart;
    const Instant firstDay = dayStart(first);
    for (const StatsInput& input : inputs)
        if (!(withinTwoDaysAfter(firstDay, input.date) && dayStart(input.date) == firstDay))
            result.netCashFlows += input.adjustment;
    result.investmentGain = result.currentValue - result.startingBalance - result.netCashFlows;
    const double divisor = result.startingBalance + result.netCashFlows;
    result.gainPercent = divisor == 0 ? 0 : result.investmentGain / divisor;
    return result;
}
} // namespace PortfolioStats
