// The store's speed and memory: one save of a million new entries, opening a store and
// fetching every entry sorted by date (what the dashboard does at start-up), and merging
// another process's commit into a window holding a million entries, and a backup of it.
#include "QtBenchmarkMain.h"

#include "model/LiveResult.h"
#include "model/PersistentContainer.h"
#include "model/store/StoreBackup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

namespace {

QString scratchFolder()
{
    // run-benchmarks points XDG_DATA_HOME at a scratch folder; never the user's own.
    const QString folder = qEnvironmentVariable("XDG_DATA_HOME", QDir::tempPath());
    QDir().mkpath(folder);
    return folder;
}

// Day numbers 0 .. count-1 in no particular order (entries are not entered by date).
const std::vector<std::int64_t>& shuffledDays(std::int64_t count)
{
    static std::map<std::int64_t, std::vector<std::int64_t>> made;
    auto& days = made[count];
    if (days.empty()) {
        days.resize(static_cast<std::size_t>(count));
        std::iota(days.begin(), days.end(), 0);
        std::shuffle(days.begin(), days.end(), std::mt19937_64(42));
    }
    return days;
}

// Entries as the application makes them: an id, a date, amounts, a note on every tenth.
void fillEntries(ObjectContext& context, std::int64_t count)
{
    const auto& days = shuffledDays(count);
    for (std::int64_t i = 0; i < count; ++i) {
        auto entry = BalanceEntry::create(context);
        entry->setId(Uuid::random());
        entry->setDate(instantFromMilliseconds(1'000'000'000'000 + days[static_cast<std::size_t>(i)] * 86'400'000));
        entry->setBalance(100'000.0 + static_cast<double>(i));
        entry->setAdjustment(i % 7 == 0 ? 500.0 : 0.0);
        entry->setTransfers(i % 13 == 0 ? -20.0 : 0.0);
        if (i % 10 == 0)
            entry->setNote(QStringLiteral("monthly deposit %1").arg(i));
    }
}

long long statusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<int>(std::strlen(field))).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

std::size_t heapInUse() { return mallinfo2().uordblks; }

void BM_SaveNewEntries(benchmark::State& state)
{
    const std::int64_t count = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        shuffledDays(count);
        QTemporaryDir folder(scratchFolder() + QStringLiteral("/bm_store-XXXXXX"));
        auto container = PersistentContainer::open(folder.filePath(QStringLiteral("Corvanta.sqlite")));
        if (!container) {
            state.SkipWithError("the store could not be opened");
            return;
        }
        state.ResumeTiming();
        ObjectContext& context = container.value()->viewContext();
        fillEntries(context, count);
        if (!context.save()) {
            state.SkipWithError("the save failed");
            return;
        }
        state.PauseTiming();
        container.value().reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// One store per size, made once; empty when it could not be made.
QString storeOf(std::int64_t count)
{
    static QTemporaryDir folder(scratchFolder() + QStringLiteral("/bm_store-XXXXXX"));
    static std::map<std::int64_t, QString> made;
    auto& path = made[count];
    if (path.isEmpty()) {
        const QString file = folder.filePath(QStringLiteral("Corvanta-%1.sqlite").arg(count));
        auto container = PersistentContainer::open(file);
        if (!container)
            return {};
        fillEntries(container.value()->viewContext(), count);
        if (container.value()->viewContext().save())
            path = file;
    }
    return path;
}

void BM_OpenAndFetchAll(benchmark::State& state)
{
    const std::int64_t count = state.range(0);
    const QString path = storeOf(count);
    if (path.isEmpty()) {
        state.SkipWithError("the store could not be made");
        return;
    }
    double bytesPerEntry = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t heapBefore = heapInUse();
        state.ResumeTiming();
        auto container = PersistentContainer::open(path);
        if (!container) {
            state.SkipWithError("the store could not be opened");
            return;
        }
        auto entries = container.value()->viewContext().fetchBalanceEntries(BalanceEntry::Date);
        if (!entries || static_cast<std::int64_t>(entries.value().size()) != count) {
            state.SkipWithError("the fetch failed");
            return;
        }
        state.PauseTiming();
        // Everything the loaded store holds per entry: objects, registry, the fetched list,
        // SQLite's cache.
        bytesPerEntry = static_cast<double>(heapInUse() - heapBefore) / static_cast<double>(count);
        entries.value().clear();
        container.value().reset();
        state.ResumeTiming();
    }
    state.counters["heap_bytes_per_entry"] = bytesPerEntry;
    state.counters["peak_rss_MiB"] = static_cast<double>(statusKilobytes("VmHWM:")) / 1024.0;
    state.SetItemsProcessed(state.iterations() * count);
}

// The window holds every entry (its main context loaded, a live list by date as the entry
// table keeps it); another connection commits one new entry. Timed: what follows the store
// watcher's wake-up, until the main context has merged the row and announced the change set
// (and the live list has taken it in).
void BM_MergeForeignCommit(benchmark::State& state)
{
    const std::int64_t count = state.range(0);
    const QString path = storeOf(count);
    auto window = path.isEmpty() ? Result<std::unique_ptr<PersistentContainer>>(Error{}) : PersistentContainer::open(path);
    auto other = path.isEmpty() ? Result<std::unique_ptr<PersistentContainer>>(Error{}) : PersistentContainer::open(path);
    if (!window || !other) {
        state.SkipWithError("the store could not be opened");
        return;
    }
    ObjectContext& context = window.value()->viewContext();
    LiveResult<BalanceEntry> byDate(context, BalanceEntry::Date, SortDirection::Descending);
    if (!byDate.fetch()) {
        state.SkipWithError("the fetch failed");
        return;
    }
    const int listed = byDate.size();
    int announced = 0;
    QObject::connect(&context, &ObjectContext::objectsDidChange, [&](const ChangeSet& changes) { announced += static_cast<int>(changes.entries.inserted.size()); });
    ObjectContext& writer = other.value()->viewContext();
    std::int64_t day = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto entry = BalanceEntry::create(writer);
        entry->setId(Uuid::random());
        entry->setDate(instantFromMilliseconds(1'000'000'000'000 + (++day * 7919 % count) * 86'400'000));
        entry->setBalance(1);
        if (!writer.save()) {
            state.SkipWithError("the other connection's save failed");
            return;
        }
        state.ResumeTiming();
        (void)context.countBalanceEntries(); // merges what others committed
        QCoreApplication::processEvents(); // the announcement
    }
    if (announced != static_cast<int>(state.iterations()) || byDate.size() != listed + announced)
        state.SkipWithError("a commit was not merged");
}

// The whole store copied to a file: the read transaction, the pages, the integrity check of
// the copy, its fsync and rename.
void BM_Backup(benchmark::State& state)
{
    const QString path = storeOf(state.range(0));
    if (path.isEmpty()) {
        state.SkipWithError("the store could not be made");
        return;
    }
    const QString target = QFileInfo(path).dir().filePath(QStringLiteral("backup.sqlite"));
    for (auto _ : state) {
        auto copied = StoreBackup::copy(path, target);
        if (!copied || copied.value().entries != state.range(0)) {
            state.SkipWithError("the backup failed");
            return;
        }
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
    state.counters["store_MiB"] = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
}

} // namespace

BENCHMARK(BM_Backup)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeForeignCommit)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNewEntries)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndFetchAll)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QCoreApplication>(argc, argv);
}
