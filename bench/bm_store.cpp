// The store's speed and memory: one save of a million new entries, opening a store and
// fetching every entry sorted by date (what the dashboard does at start-up), and merging
// another process's commit into a window holding a million entries, and a backup of it.
#include "QtBenchmarkMain.h"
#include "ScratchStore.h"
#include "SqliteFloor.h"

#include "model/LiveResult.h"
#include "model/NewEntry.h"
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
#include <array>
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

// What every benchmark here stores, as plain values: the same data for Corvanta's paths and
// for their floors.
using PlainEntry = SqliteFloor::Row;

// Entries as the application makes them: an id, a date, amounts, a note on every tenth.
const std::vector<PlainEntry>& plainEntries(std::int64_t count)
{
    static std::map<std::int64_t, std::vector<PlainEntry>> made;
    auto& entries = made[count];
    if (entries.empty()) {
        const auto& days = shuffledDays(count);
        std::mt19937_64 random(7);
        for (std::int64_t i = 0; i < count; ++i) {
            PlainEntry entry{i + 1, {}, 1'000'000'000'000 + days[static_cast<std::size_t>(i)] * 86'400'000, 100'000.0 + static_cast<double>(i),
                             i % 7 == 0 ? 500.0 : 0.0, i % 13 == 0 ? -20.0 : 0.0, std::nullopt};
            for (auto& byte : entry.id)
                byte = static_cast<std::uint8_t>(random());
            if (i % 10 == 0)
                entry.note = "monthly deposit " + std::to_string(i);
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

// Inserted as an import inserts them: made with their values, then inserted.
void fillEntries(ObjectContext& context, std::int64_t count)
{
    for (const PlainEntry& plain : plainEntries(count)) {
        BalanceEntry::Values values = plainValues(plain);
        values.id = Uuid{plain.id};
        context.insert(makeBalanceEntry(std::move(values)));
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
    plainEntries(count);
    for (auto _ : state) {
        state.PauseTiming();
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

// A store of `count` entries for one benchmark alone (what one benchmark writes into its store
// must not change what another measures), made once; empty when it could not be made.
QString storeOf(const char* benchmark, std::int64_t count)
{
    static QTemporaryDir folder(scratchFolder() + QStringLiteral("/bm_store-XXXXXX"));
    static std::map<QString, QString> made;
    const QString file = folder.filePath(QStringLiteral("%1-%2.sqlite").arg(QLatin1String(benchmark)).arg(count));
    auto& path = made[file];
    if (path.isEmpty()) {
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
    const QString path = storeOf("fetch", count);
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
    const QString path = storeOf("merge", count);
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

// The floor of BM_SaveNewEntries: plain records made from the same values, then stored into
// the same table in one transaction, 64 rows to a statement.
void BM_SaveFloor64(benchmark::State& state)
{
    const std::vector<PlainEntry>& entries = plainEntries(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder(scratchFolder() + QStringLiteral("/bm_store-XXXXXX"));
        auto connection = std::make_unique<SqliteFloor::Connection>(folder.filePath(QStringLiteral("floor.sqlite")).toStdString());
        if (!SqliteFloor::createTable(*connection)) {
            state.SkipWithError("the floor's store could not be made");
            return;
        }
        state.ResumeTiming();
        // The records made from the values, as the path makes its entries; then stored.
        const std::vector<PlainEntry> records(entries.begin(), entries.end());
        if (!SqliteFloor::insertAll(*connection, records, 64)) {
            state.SkipWithError("the floor's save failed");
            return;
        }
        state.PauseTiming();
        connection.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The floor of BM_OpenAndFetchAll: open the same rows' file, read every row into plain
// values, order them by date.
void BM_FetchFloor(benchmark::State& state)
{
    const std::int64_t count = state.range(0);
    static QTemporaryDir folder(scratchFolder() + QStringLiteral("/bm_store-XXXXXX"));
    const std::string path = folder.filePath(QStringLiteral("fetch-floor-%1.sqlite").arg(count)).toStdString();
    if (!QFile::exists(QString::fromStdString(path))) {
        const SqliteFloor::Connection connection(path);
        if (!SqliteFloor::createTable(connection) || !SqliteFloor::insertAll(connection, plainEntries(count), 64)
            || !connection.exec("PRAGMA wal_checkpoint(TRUNCATE)")) {
            state.SkipWithError("the floor's store could not be made");
            return;
        }
    }
    for (auto _ : state) {
        auto connection = std::make_unique<SqliteFloor::Connection>(path);
        const auto fetched = SqliteFloor::fetchAllByDate(*connection);
        if (!fetched || static_cast<std::int64_t>(fetched->second.size()) != count) {
            state.SkipWithError("the floor's fetch failed");
            return;
        }
        state.PauseTiming();
        connection.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// The whole store copied to a file: the read transaction, the pages, the integrity check of
// the copy, its fsync and rename.
void BM_Backup(benchmark::State& state)
{
    const QString path = storeOf("backup", state.range(0));
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

BENCHMARK(BM_SaveFloor64)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FetchFloor)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backup)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeForeignCommit)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNewEntries)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndFetchAll)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QCoreApplication>(argc, argv);
}
