// The dashboard's rebuild after one new entry, with a large history: the statistics panel's
// twelve figures, the chart's series, window and day reduction, and a repaint of the chart.
#include "analytics/PortfolioStats.h"
#include "views/BalanceChartView.h"
#include "views/StatsPanelView.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QChartView>

#include <benchmark/benchmark.h>

#include <QEvent>

#include <chrono>

namespace {
// Counts the paints of the widget it watches, to show that each iteration really repaints.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// `count` entries, one every six hours up to now (100,000 entries span about 68 years, so the
// "All" window draws about 25,000 daily points), a deposit every 30th entry.
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

void BM_DashboardRebuildAfterInsert(benchmark::State& state)
{
    std::vector<StatsInput> inputs = history(int(state.range(0)));
    QWidget window; // the dashboard's two panes at the size of a large window
    auto* stats = new StatsPanelView;
    auto* chart = new BalanceChartView;
    auto* panes = new QHBoxLayout(&window);
    panes->addWidget(stats);
    panes->addWidget(chart, 1);
    window.resize(1600, 1000);
    chart->findChild<QCheckBox*>(QStringLiteral("adjustedSwitch"))->setChecked(true);
    stats->setInputs(inputs);
    chart->setPoints(PortfolioStats::series(inputs));
    window.show();
    QApplication::processEvents();
    PaintCounter counter;
    chart->findChild<QChartView*>()->viewport()->installEventFilter(&counter);

    for (auto _ : state) {
        // Today's entry, a minute after the latest one.
        inputs.push_back({Uuid::random(), inputs.back().date + std::chrono::minutes(1), inputs.back().balance + 1, 0});
        stats->setInputs(inputs);
        chart->setPoints(PortfolioStats::series(inputs));
        QApplication::processEvents(); // the chart's layout and repaint
        state.PauseTiming();
        inputs.pop_back();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
    state.SetLabel("entries + 1 inserted; stats, series, chart repaint");
}
BENCHMARK(BM_DashboardRebuildAfterInsert)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
