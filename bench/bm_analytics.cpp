// The dashboard's statistics over histories of many entries: what the statistics panel and
// the chart compute on every change of the store.
#include "analytics/EntryYears.h"
#include "analytics/PortfolioStats.h"
#include "analytics/ReturnMeasures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {
constexpr long long thirtyYears = 30LL * 365 * 86'400'000;
constexpr long long start1995 = 788'918'400'000LL;

// `count` entries spread over thirty years, in date order as the store hands them out, or
// shuffled.
std::vector<StatsInput> history(std::size_t count, bool shuffled)
{
    std::mt19937_64 random(42);
    std::uniform_int_distribution<long long> when(start1995, start1995 + thirtyYears);
    std::uniform_real_distribution<double> amount(-5000, 5000);
    std::vector<StatsInput> inputs(count);
    for (StatsInput& input : inputs)
        input = StatsInput{Uuid::random(), instantFromMilliseconds(when(random)), 100000 + amount(random) * 20, random() % 4 ? 0 : amount(random)};
    std::sort(inputs.begin(), inputs.end(), [](const StatsInput& a, const StatsInput& b) { return a.date < b.date; });
    if (shuffled)
        std::shuffle(inputs.begin(), inputs.end(), random);
    return inputs;
}

void dashboard(benchmark::State& state, bool shuffled)
{
    const std::vector<StatsInput> inputs = history(static_cast<std::size_t>(state.range(0)), shuffled);
    const Instant now = instantFromMilliseconds(start1995 + thirtyYears);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PortfolioStats::maxBalance(inputs));
        for (int days : {30, 91, 182, 365})
            benchmark::DoNotOptimize(PortfolioStats::averageBalance(inputs, days, now));
        benchmark::DoNotOptimize(PortfolioStats::totalDeposits(inputs));
        benchmark::DoNotOptimize(PortfolioStats::totalWithdrawals(inputs));
        benchmark::DoNotOptimize(PortfolioStats::summary(inputs));
        benchmark::DoNotOptimize(PortfolioStats::series(inputs));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// `count` entries in date order over thirty years: a value that grows by a random step at each
// entry, with a deposit or a withdrawal at one entry in four.
std::vector<StatsInput> growingHistory(std::size_t count)
{
    std::vector<StatsInput> inputs = history(count, false);
    std::mt19937_64 random(7);
    std::normal_distribution<double> step(0.00002, 0.002);
    double value = 100000;
    for (StatsInput& input : inputs) {
        input.adjustment = random() % 4 ? 0 : std::clamp(input.adjustment, -value / 2, value);
        value = value * (1 + step(random)) + input.adjustment;
        input.balance = value;
    }
    return inputs;
}

// Every return measure of the panel over the whole history, as it shows them on "All": the
// period and per-year figures and both drawdowns.
void BM_Returns(benchmark::State& state)
{
    const std::vector<StatsInput> inputs = growingHistory(static_cast<std::size_t>(state.range(0)));
    const Instant now = instantFromMilliseconds(start1995 + thirtyYears);
    const ReturnFigures f = ReturnMeasures::over(inputs, DateRange::all, now);
    if (!f.timeWeighted || !f.annualisedTimeWeighted || !f.moneyWeighted || !f.moneyWeightedForPeriod || !f.modifiedDietz || !f.maxDrawdown
        || !f.currentDrawdown)
        state.SkipWithError("a measure has no result: the history does not exercise every measure");
    for (auto _ : state)
        benchmark::DoNotOptimize(ReturnMeasures::over(inputs, DateRange::all, now));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Every calendar year of the history as the entries tell it (`corvanta years --from-entries`).
void BM_YearsFromEntries(benchmark::State& state)
{
    const std::vector<StatsInput> inputs = growingHistory(static_cast<std::size_t>(state.range(0)));
    if (EntryYears::of(inputs).size() < 30)
        state.SkipWithError("the history does not span thirty years");
    for (auto _ : state)
        benchmark::DoNotOptimize(EntryYears::of(inputs));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DashboardStats(benchmark::State& state) { dashboard(state, false); }
void BM_DashboardStatsShuffled(benchmark::State& state) { dashboard(state, true); }
} // namespace

BENCHMARK(BM_DashboardStats)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DashboardStatsShuffled)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_Returns)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearsFromEntries)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
