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
// BM_WindowImportLongestFrame: Import CSV of a file of that many rows into an empty on-disk
// store through the tab, as the window does it: the preview read, Import clicked, until the
// rows are shown. The window is asked to repaint every 16 ms throughout; longest_frame_ms is the
// longest gap between two of its paints (what a person sees as a frozen window), up to the
// first paint after the rows are shown; undo_longest_frame_ms and redo_longest_frame_ms the same
// for Undo of the import and Redo of it.
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
#include "views/entries/ImportPreviewView.h"
#include "views/kit/ModalOverlay.h"
#include "views/kit/PorterDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QItemSelectionModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <functional>
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
// The file chooser gives one file; alerts are kept, not shown.
class OneFileDialogs final : public PorterDialogs {
public:
    QString file;
    std::optional<CSVPorter::Alert> alert;
    std::optional<QString> chooseFileToImport() override { return file; }
    std::optional<QString> chooseFileToExport() override { return std::nullopt; }
    void showAlert(const CSVPorter::Alert& shown) override { alert = shown; }
};

// The longest time between two paints of the widget it watches, from start() on, up to the
// first paint after the work is over (a paint that never comes back must not hide the freeze).
class PaintGaps : public QObject {
public:
    qint64 longestNs = 0;
    int paints = 0;
    void start()
    {
        clock_.start();
        last_ = 0;
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && clock_.isValid()) {
            const qint64 now = clock_.nsecsElapsed();
            longestNs = std::max(longestNs, now - last_);
            last_ = now;
            ++paints;
        }
        return false;
    }

private:
    QElapsedTimer clock_;
    qint64 last_ = 0;
};

bool processEventsUntil(const std::function<bool()>& done, int timeoutMs = 600'000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 16);
    }
    return true;
}

bool writeRows(const QString& path, int count)
{
    QByteArray text = "Date,Balance,Adjustment,Transfers,Note\n";
    text.reserve(qsizetype(count) * 48);
    char line[96];
    for (int i = 0; i < count; ++i) {
        const int day = i % 10'000; // 1990 on
        std::snprintf(line, sizeof line, "%04d-%02d-%02d,%d.%02d,%d,,import %d\n", 1990 + day / 336, 1 + day / 28 % 12, 1 + day % 28,
                      100'000 + i % 90'000, i % 100, i % 30 == 0 ? 500 : 0, i % 1000);
        text += line;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

void BM_WindowImportLongestFrame(benchmark::State& state)
{
    const int count = int(state.range(0));
    QTemporaryDir folder;
    OneFileDialogs dialogs;
    dialogs.file = folder.filePath(QStringLiteral("entries.csv"));
    if (!writeRows(dialogs.file, count)) {
        state.SkipWithError("cannot write the file");
        return;
    }
    PaintGaps gaps;
    qint64 importGap = 0, undoGap = 0, redoGap = 0;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto container = PersistentContainer::open(folder.filePath(QStringLiteral("store%1.sqlite").arg(run++)));
        if (!container) {
            state.SkipWithError("cannot open the store");
            return;
        }
        UndoManager undo;
        ObjectContext& context = container.value()->viewContext();
        context.setUndoManager(&undo);
        auto view = std::make_unique<CorvantaTableView>(context, &dialogs);
        view->setBackgroundContexts([store = container.value().get()] { return store->newBackgroundContext(); });
        view->resize(1600, 1000);
        view->installEventFilter(&gaps);
        view->show();
        QApplication::processEvents();
        QTimer repaint;
        QObject::connect(&repaint, &QTimer::timeout, view.get(), [&] { view->update(); });
        repaint.start(16);
        dialogs.alert.reset();
        state.ResumeTiming();

        gaps.start();
        view->importCSV();
        auto* preview = qobject_cast<ImportPreviewView*>(view->overlay()->content());
        const bool imported = preview && processEventsUntil([&] { return preview->preview() != nullptr; })
            && (preview->importButton()->click(), processEventsUntil([&] { return dialogs.alert.has_value(); }))
            && processEventsUntil([&] { return view->model()->rowCount() == count; });
        const auto paintedAgain = [&] {
            const int paintsBefore = gaps.paints;
            return processEventsUntil([&] { return gaps.paints > paintsBefore; }, 10'000);
        };
        bool paintedAfter = paintedAgain();
        // Undo of the import, then Redo, from the event loop as the Edit menu does them.
        importGap = std::max(importGap, gaps.longestNs);
        gaps.longestNs = 0;
        const auto finished = [](const Result<void>&) {};
        QTimer::singleShot(0, [&] { undo.undoInSteps({}, finished); });
        paintedAfter = paintedAfter && processEventsUntil([&] { return view->model()->rowCount() == 0; }) && paintedAgain();
        undoGap = std::max(undoGap, gaps.longestNs);
        gaps.longestNs = 0;
        QTimer::singleShot(0, [&] { undo.redoInSteps({}, finished); });
        paintedAfter = paintedAfter && processEventsUntil([&] { return view->model()->rowCount() == count; }) && paintedAgain();
        redoGap = std::max(redoGap, gaps.longestNs);

        state.PauseTiming();
        if (!imported || dialogs.alert->messageText != QStringLiteral("Imported %1 entries").arg(count))
            state.SkipWithError("the rows were not imported");
        else if (!paintedAfter)
            state.SkipWithError("the window did not paint again after the import");
        repaint.stop();
        view.reset();
        context.setUndoManager(nullptr);
        container.value().reset();
        state.ResumeTiming();
    }
    state.counters["longest_frame_ms"] = double(importGap) / 1e6;
    state.counters["undo_longest_frame_ms"] = double(undoGap) / 1e6;
    state.counters["redo_longest_frame_ms"] = double(redoGap) / 1e6;
}

} // namespace

BENCHMARK(BM_WindowImportLongestFrame)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The argument: rows deleted (of a store of deleteStore entries).
BENCHMARK(BM_DeleteSelected)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoDeleteSelected)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QApplication>(argc, argv);
}
