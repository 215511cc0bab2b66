// The index comparison tab's rebuild after one year is edited.
//
// BM_ComparisonRebuild: an in-memory store holds `range(0)` yearly rows and 100,000 entries;
// the tab is shown at 1600x1000. Each iteration saves one year through the yearly editor
// (its Save: one update, one save), then lets the event loop deliver the change set, which
// updates the table's rows and simulated column and the summary, and repaint (the "paints"
// counter shows that the table repaints every time). Opening the editor and typing are not
// timed.
#include "PaintCounter.h"
#include "QtBenchmarkMain.h"

#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "views/kit/ModalOverlay.h"
#include "views/comparison/TSXComparisonView.h"
#include "views/comparison/TSXYearEditorView.h"
#include "views/comparison/TSXYearsTableModel.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {
// `years` rows from 1926 on, and `entries` entries spread over the same span, one deposit in 30.
bool fill(ObjectContext& context, int years, int entries)
{
    for (int i = 0; i < years; ++i) {
        const auto year = TSXYear::create(context);
        year->setId(Uuid::random());
        year->setSortOrder(static_cast<std::int16_t>(i));
        year->setYear(1926 + i);
        year->setTsxReturn(0.01 * ((i * 37) % 41 - 12));
        year->setActualStart(10'000.0 * (i + 1));
        year->setActualEnd(10'500.0 * (i + 1));
        year->setNetCashFlows(i % 3 == 0 ? 1'000 : 0);
    }
    const Instant first = Instant{std::chrono::milliseconds{-1'388'534'400'000LL}}; // 1926-01-01
    const auto step = std::chrono::milliseconds{years * 365LL * 86'400'000LL / entries};
    double balance = 10'000;
    for (int i = 0; i < entries; ++i) {
        const auto entry = BalanceEntry::create(context);
        entry->setId(Uuid::random());
        entry->setDate(first + step * i);
        balance = balance * (1 + 0.0004 * ((i * 7919) % 11 - 5)) + (i % 30 == 0 ? 500 : 0);
        entry->setBalance(balance);
        entry->setAdjustment(i % 30 == 0 ? 500 : 0);
    }
    return context.save().ok();
}

void BM_ComparisonRebuild(benchmark::State& state)
{
    auto container = PersistentContainer::openInMemory();
    if (!container.ok() || !fill(container.value()->viewContext(), int(state.range(0)), 100'000)) {
        state.SkipWithError("could not fill an in-memory store");
        return;
    }
    ObjectContext& context = container.value()->viewContext();
    TSXComparisonView view(context);
    view.resize(1600, 1000);
    view.show();
    QApplication::processEvents();
    PaintCounter counter;
    view.table()->viewport()->installEventFilter(&counter);

    const auto year = view.model()->yearAt(int(state.range(0)) / 2);
    double end = year->actualEnd();
    for (auto _ : state) {
        state.PauseTiming(); // opening the editor and typing are not part of the rebuild
        // The closed editor goes as it would in the running event loop (processEvents alone
        // leaves deferred deletions of loop level 0 waiting for an exec() that never comes).
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        view.edit(year);
        auto* editor = qobject_cast<TSXYearEditorView*>(view.overlay()->content());
        editor->load();
        editor->field(TSXYearEditorView::Field::ActualEnd)->setText(QString::number(end += 1));
        state.ResumeTiming();
        editor->save();                // one update, one save
        QApplication::processEvents(); // the change set: rows, simulated column, summary, paint
    }
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ComparisonRebuild)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QApplication>(argc, argv);
}
