// The entry table ("Corvanta" tab) over a large store.
//
// BM_EntryTableOpen: builds and shows the tab at 1600x1000 over a main context that already
// holds the entries (as after start-up, when the dashboard has read them): the model's fetch
// from the context, the adjusted balances, and the first paint of the table.
// BM_EntryTableApplyInsert: with the tab shown, one entry is added outside it (through the
// actions layer, as the dashboard's form does: insert and save) and the event loop repaints
// the table once.
// BM_DeleteSelected: with the tab shown, deletes a block of selected rows (a shift-click
// range in the middle of the table) through the tab's Delete, saved, and the repaint.
// BM_UndoDeleteSelected: the Edit menu's Undo of that delete (undo, save), and the repaint.
#include "PaintCounter.h"
#include "QtBenchmarkMain.h"

#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/UndoManager.h"
#include "services/EntryActions.h"
#include "views/kit/Clock.h"
#include "views/entries/CorvantaTableView.h"
#include "views/entries/EntryTableModel.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>

namespace {

// An in-memory store of `count` entries, one an hour up to an hour ago, a deposit every 30th,
// with a 50-level undo manager on its main context. Built once per size and kept.
struct Store {
    std::unique_ptr<PersistentContainer> container;
    UndoManager undo;
    ObjectContext& context() { return container->viewContext(); }
};

Store* storeOf(benchmark::State& state, int count)
{
    static std::map<int, std::unique_ptr<Store>> stores;
    auto& store = stores[count];
    if (!store) {
        auto opened = PersistentContainer::openInMemory();
        if (!opened.ok()) {
            state.SkipWithError("no in-memory store");
            return nullptr;
        }
        store = std::make_unique<Store>();
        store->container = std::move(opened.value());
        ObjectContext& context = store->context();
        const Instant start = systemNow() - std::chrono::hours(count);
        double balance = 10'000;
        for (int i = 0; i < count; ++i) {
            const double flow = i % 30 == 0 ? 500 : 0;
            balance = balance * (1 + 0.0004 * ((i * 7919) % 11 - 5)) + flow;
            const auto entry = BalanceEntry::create(context);
            entry->setId(Uuid::random());
            entry->setDate(start + std::chrono::hours(i));
            entry->setBalance(balance);
            entry->setAdjustment(flow);
        }
        if (!context.save().ok()) {
            state.SkipWithError("could not fill the store");
            return nullptr;
        }
        store->undo.setLevelsOfUndo(50);
        context.setUndoManager(&store->undo);
        // As after start-up, where the dashboard has read every entry into the context.
        (void)context.fetchBalanceEntries();
    }
    return store.get();
}

// The tab at 1600x1000, painted once; its viewport's paints are counted.
std::unique_ptr<CorvantaTableView> shownTable(ObjectContext& context, PaintCounter& counter)
{
    auto view = std::make_unique<CorvantaTableView>(context);
    view->resize(1600, 1000);
    view->table()->viewport()->installEventFilter(&counter);
    view->show();
    QApplication::processEvents();
    return view;
}

void selectBlock(CorvantaTableView& view, int first, int count)
{
    EntryTableModel* model = view.model();
    view.table()->selectionModel()->select(
        QItemSelection(model->index(first, 0), model->index(first + count - 1, EntryTableModel::ColumnCount - 1)),
        QItemSelectionModel::ClearAndSelect);
}

void BM_EntryTableOpen(benchmark::State& state)
{
    Store* store = storeOf(state, int(state.range(0)));
    if (!store)
        return;
    PaintCounter counter;
    for (auto _ : state) {
        auto view = shownTable(store->context(), counter);
        state.PauseTiming();
        view.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EntryTableOpen)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EntryTableApplyInsert(benchmark::State& state)
{
    Store* store = storeOf(state, int(state.range(0)));
    if (!store)
        return;
    PaintCounter counter;
    auto view = shownTable(store->context(), counter);
    counter.paints = 0;
    std::vector<std::shared_ptr<BalanceEntry>> added;
    for (auto _ : state) {
        auto entry = EntryActions::add(store->context(), {.date = systemNow(), .balance = 123'456});
        QApplication::processEvents();
        state.PauseTiming();
        if (entry.ok())
            added.push_back(entry.value());
        else
            state.SkipWithError("the insert failed");
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
    view.reset();
    (void)EntryActions::remove(store->context(), added);
    store->undo.removeAllActions();
}
BENCHMARK(BM_EntryTableApplyInsert)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int deleteStore = 1'000'000;
constexpr int deleteFrom = 250'000;

void BM_DeleteSelected(benchmark::State& state)
{
    Store* store = storeOf(state, deleteStore);
    if (!store)
        return;
    PaintCounter counter;
    auto view = shownTable(store->context(), counter);
    counter.paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        selectBlock(*view, deleteFrom, int(state.range(0)));
        state.ResumeTiming();
        view->deleteSelected();
        QApplication::processEvents();
        state.PauseTiming();
        store->undo.undo();
        if (!store->context().save().ok())
            state.SkipWithError("the undo's save failed");
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
    store->undo.removeAllActions();
}

void BM_UndoDeleteSelected(benchmark::State& state)
{
    Store* store = storeOf(state, deleteStore);
    if (!store)
        return;
    PaintCounter counter;
    auto view = shownTable(store->context(), counter);
    for (auto _ : state) {
        state.PauseTiming();
        selectBlock(*view, deleteFrom, int(state.range(0)));
        view->deleteSelected();
        QApplication::processEvents();
        counter.paints = 0;
        state.ResumeTiming();
        store->undo.undo();
        if (!store->context().save().ok())
            state.SkipWithError("the undo's save failed");
        QApplication::processEvents();
    }
    store->undo.removeAllActions();
}
} // namespace

// The argument: rows deleted (of a store of deleteStore entries).
BENCHMARK(BM_DeleteSelected)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoDeleteSelected)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QApplication>(argc, argv);
}
