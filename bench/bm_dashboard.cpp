// The dashboard's rebuild after one new entry, with a large history.
//
// BM_DashboardRebuildAfterInsert: the real thing. An in-memory store holds the history; the
// dashboard (form, statistics, chart with "Adjusted" on) is shown at 1600x1000; each
// iteration submits one entry through the new-entry form (insert and save), which makes the
// dashboard fetch every entry, convert, compute the statistics and the series, and the event
// loop then lays out and repaints the chart once (the "paints" counter shows it).
//
// BM_DashboardViewsRebuild: the two views alone, handed ready snapshots (no store, no form).
#include "PaintCounter.h"
#include "QtBenchmarkMain.h"

#include "analytics/PortfolioStats.h"
#include "app/DashboardView.h"
#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "views/dashboard/BalanceChartView.h"
#include "views/dashboard/NewEntryFormView.h"
#include "views/dashboard/StatsPanelView.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {
// `count` entries, one every six hours up to six hours ago (100,000 entries span about 68
// years, so the "All" window draws about 25,000 daily points), a deposit every 30th entry.
std::vector<StatsInput> history(int count)
{
    const auto now = std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
    std::vector<StatsInput> inputs;
    inputs.reserve(std::size_t(count) + 1);
    double balance = 10'000;
    for (int i = 0; i < count; ++i) {
        const double flow = i % 30 == 0 ? 500 : 0;
        balance = balance * (1 + 0.0004 * ((i * 7919) % 11 - 5)) + flow;
        inputs.push_back({Uuid::random(), now - std::chrono::hours(6) * (count - i), balance, flow});
    }
    return inputs;
}

void watchPaints(QWidget& root, PaintCounter& counter)
{
    root.findChild<QCheckBox*>(QStringLiteral("adjustedSwitch"))->setChecked(true);
    root.resize(1600, 1000);
    root.show();
    QApplication::processEvents();
    root.findChild<QChartView*>()->viewport()->installEventFilter(&counter);
}

void BM_DashboardRebuildAfterInsert(benchmark::State& state)
{
    auto container = PersistentContainer::openInMemory();
    if (!container.ok()) {
        state.SkipWithError("no in-memory store");
        return;
    }
    ObjectContext& context = container.value()->viewContext();
    for (const StatsInput& input : history(int(state.range(0)))) {
        const auto entry = BalanceEntry::create(context);
        entry->setId(input.id);
        entry->setDate(input.date);
        entry->setBalance(input.balance);
        entry->setAdjustment(input.adjustment);
    }
    if (!context.save().ok()) {
        state.SkipWithError("could not fill the store");
        return;
    }
    DashboardView dashboard(context);
    PaintCounter counter;
    watchPaints(dashboard, counter);
    auto* form = dashboard.findChild<NewEntryFormView*>();
    auto* balance = form->findChild<QLineEdit*>(QStringLiteral("balanceField"));

    double typed = 100'000;
    for (auto _ : state) {
        state.PauseTiming(); // typing is not part of the rebuild
        balance->setText(QString::number(typed += 1));
        state.ResumeTiming();
        form->submit();                // insert, save, and the dashboard's rebuild
        QApplication::processEvents(); // the chart's layout and repaint
    }
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DashboardRebuildAfterInsert)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DashboardViewsRebuild(benchmark::State& state)
{
    std::vector<StatsInput> inputs = history(int(state.range(0)));
    QWidget window;
    auto* stats = new StatsPanelView;
    auto* chart = new BalanceChartView;
    auto* panes = new QHBoxLayout(&window);
    panes->addWidget(stats);
    panes->addWidget(chart, 1);
    stats->setInputs(inputs);
    chart->setPoints(PortfolioStats::series(inputs));
    PaintCounter counter;
    watchPaints(window, counter);

    for (auto _ : state) {
        inputs.push_back({Uuid::random(), inputs.back().date + std::chrono::minutes(1), inputs.back().balance + 1, 0});
        stats->setInputs(inputs);
        chart->setPoints(PortfolioStats::series(inputs));
        QApplication::processEvents();
        state.PauseTiming();
        inputs.pop_back();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DashboardViewsRebuild)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QApplication>(argc, argv);
}
