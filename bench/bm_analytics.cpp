// The dashboard's statistics over histories of many entries: what the statistics panel and
// the chart compute on every change of the store.
#include "analytics/PortfolioStats.h"

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

void BM_DashboardStats(benchmark::State& state) { dashboard(state, false); }
void BM_DashboardStatsShuffled(benchmark::State& state) { dashboard(state, true); }
} // namespace

BENCHMARK(BM_DashboardStats)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DashboardStatsShuffled)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
