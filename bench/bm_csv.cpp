// CSV import, tokenizing and export at the scale of a million rows.
//   BM_ImportCSV/plain, /messy: read the file, parse, insert and save into an empty on-disk store
//   BM_ParseCSV/plain: tokenizing and converting fields, without the store (bytes per second)
//   BM_ExportCSV/1000000: csvString of a million entries
//   BM_ExportFloor/1000000, BM_ScanFloor: the same export and a plain field scan of the parse's
//     text in plain C++, the floors scripts/bench-ratios holds the two above against
//   BM_ImportPreview/1000000: what an import of the plain file would do, against a store that
//     already holds a million entries: reading the file's rows, the stored entries' values,
//     the rows already stored and the date patterns (nothing written)
#include "CsvFloor.h"
#include "QtBenchmarkMain.h"
#include "ScratchStore.h"

#include "services/CsvActions.h"
#include "csv/CSVPorter.h"
#include "csv/CSVTokenizer.h"
#include "csv/FileAccess.h"
#include "model/BalanceEntry.h"
#include "model/PersistentContainer.h"
#include "model/StoredEntries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <random>
#include <string>

namespace {

constexpr int rowCount = 1'000'000;

enum class Shape { Plain, Messy };

std::string isoDay(int year, int month, int day)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

// The eight import patterns in turn, over days from 1990 to 2030 (quoted when they hold a comma).
std::string messyDay(int row, int year, int month, int day)
{
    static constexpr std::array<const char*, 12> shortNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static constexpr std::array<const char*, 12> longNames = {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November", "December"};
    char buffer[40];
    switch (row % 8) {
    case 0: return isoDay(year, month, day);
    case 1: std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", year, month, day); break;
    case 2: std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", month, day, year); break;
    case 3: std::snprintf(buffer, sizeof buffer, "%d/%d/%04d", month, day, year); break;
    case 4: std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:00", year, month, day, 9 + row % 8, row % 60); break;
    case 5: std::snprintf(buffer, sizeof buffer, "\"%s %d, %04d\"", shortNames[month - 1], day, year); break;
    case 6: std::snprintf(buffer, sizeof buffer, "%d %s %04d", day, shortNames[month - 1], year); break;
    default: std::snprintf(buffer, sizeof buffer, "\"%s %d, %04d\"", longNames[month - 1], day, year); break;
    }
    return buffer;
}

std::string makeCSV(Shape shape)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> year(1990, 2029), month(1, 12), day(1, 28), cents(0, 250'000'000);
    const char* lineEnd = shape == Shape::Plain ? "\n" : "\r\n";
    std::string text = std::string(CSVPorter::header) + lineEnd;
    text.reserve(rowCount * 100);
    char buffer[256];
    for (int row = 0; row < rowCount; ++row) {
        const int y = year(random), m = month(random), d = day(random);
        const double balance = cents(random) / 100.0;
        const double adjustment = (cents(random) % 500'000 - 250'000) / 100.0;
        if (shape == Shape::Plain) {
            std::snprintf(buffer, sizeof buffer, "%s,%.2f,%.2f,%d,Monthly contribution and rebalancing %d%s",
                          isoDay(y, m, d).c_str(), balance, adjustment, row % 3 == 0 ? 500 : 0, row % 1000, lineEnd);
        } else {
            const int whole = static_cast<int>(balance);
            std::snprintf(buffer, sizeof buffer, "%s,\"$%d,%03d.%02d\",(%.2f),$%d,\"Rebalanced, sold %d shares\nwith a \"\"note\"\"\"%s",
                          messyDay(row, y, m, d).c_str(), whole / 1000, whole % 1000, static_cast<int>(balance * 100) % 100,
                          std::abs(adjustment), row % 7 * 100, row % 500, lineEnd);
        }
        text += buffer;
    }
    return text;
}

const std::string& csvText(Shape shape)
{
    static const std::string plain = makeCSV(Shape::Plain);
    static const std::string messy = makeCSV(Shape::Messy);
    return shape == Shape::Plain ? plain : messy;
}

void BM_ImportCSV(benchmark::State& state, Shape shape)
{
    QTemporaryDir folder;
    const QString csvPath = QDir(folder.path()).filePath(QStringLiteral("entries.csv"));
    {
        QFile file(csvPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(csvText(shape).data(), static_cast<qint64>(csvText(shape).size())) < 0) {
            state.SkipWithError("cannot write the CSV file");
            return;
        }
    }
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto container = PersistentContainer::open(QDir(folder.path()).filePath(QStringLiteral("store%1.sqlite").arg(run++)));
        if (!container) {
            state.SkipWithError("cannot open the store");
            return;
        }
        state.ResumeTiming();
        const CsvActions::ImportOutcome outcome = CsvActions::importFile(container.value()->viewContext(), csvPath);
        if (outcome.imported != rowCount) {
            state.SkipWithError("not every row was imported");
            return;
        }
        state.PauseTiming();
        container.value().reset(); // closing the store is not part of the import
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(csvText(shape).size()));
}
BENCHMARK_CAPTURE(BM_ImportCSV, plain, Shape::Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportCSV, messy, Shape::Messy)->Unit(benchmark::kMillisecond);

void BM_ImportPreview(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString storePath = QDir(folder.path()).filePath(QStringLiteral("store.sqlite"));
    {
        auto container = PersistentContainer::open(storePath);
        const QByteArray bytes = QByteArray::fromStdString(csvText(Shape::Plain));
        if (!container || CsvActions::importBytes(container.value()->viewContext(), bytes).imported != rowCount) {
            state.SkipWithError("cannot fill the store");
            return;
        }
    }
    const std::string& text = csvText(Shape::Plain);
    for (auto _ : state) {
        auto stored = readStoredEntryValues(storePath);
        if (!stored) {
            state.SkipWithError("cannot read the store");
            return;
        }
        const CsvActions::ImportPreview preview = CsvActions::previewImport(text, stored.value());
        if (preview.alreadyStoredCount != state.range(0)) {
            state.SkipWithError("every row should be stored already");
            return;
        }
        benchmark::DoNotOptimize(preview.reading.datePatterns[0].rows);
    }
}
BENCHMARK(BM_ImportPreview)->Arg(rowCount)->Unit(benchmark::kMillisecond);

void BM_ParseCSV(benchmark::State& state, Shape shape)
{
    const std::string& text = csvText(shape);
    for (auto _ : state) {
        std::int64_t readable = 0;
        CSVPorter::forEachRow(text, [&](std::span<const std::string> row) {
            if (row.size() < 5)
                return;
            const auto date = CSVPorter::parseDate(row[0]);
            const auto balance = CSVPorter::parseNumber(row[1]);
            const auto adjustment = CSVPorter::parseNumber(row[2]);
            const auto transfers = CSVPorter::parseNumber(row[3]);
            const auto note = CSVPorter::unescape(row[4]);
            readable += date && balance && adjustment && transfers && note;
        });
        benchmark::DoNotOptimize(readable);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK_CAPTURE(BM_ParseCSV, plain, Shape::Plain)->Unit(benchmark::kMillisecond);

// The entries every export benchmark writes, as plain values, newest first (as the entry table
// hands them over).
const std::vector<CsvFloor::Entry>& exportEntries(std::int64_t count)
{
    static std::map<std::int64_t, std::vector<CsvFloor::Entry>> made;
    auto& entries = made[count];
    if (entries.empty()) {
        std::mt19937 random(7);
        std::uniform_int_distribution<long long> day(7300, 21900), cents(0, 250'000'000);
        for (std::int64_t i = 0; i < count; ++i) {
            CsvFloor::Entry entry{day(random) * 86'400'000LL, static_cast<double>(cents(random)) / 100.0, i % 4 == 0 ? 500.0 : 0.0,
                                     i % 9 == 0 ? -250.0 : 0.0, std::nullopt};
            if (i % 3 == 0)
                entry.note = "Rebalanced, \"sold\" " + std::to_string(i % 100) + " shares";
            entries.push_back(std::move(entry));
        }
        std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.date > b.date; });
    }
    return entries;
}

void BM_ExportCSV(benchmark::State& state)
{
    std::vector<std::shared_ptr<BalanceEntry>> entries;
    for (const CsvFloor::Entry& plain : exportEntries(state.range(0))) {
        auto entry = std::make_shared<BalanceEntry>();
        entry->assign(plainValues(plain));
        entries.push_back(std::move(entry));
    }
    if (CSVPorter::csvString(entries) != CsvFloor::csvText(exportEntries(state.range(0)))) {
        state.SkipWithError("the floor writes a different text");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CSVPorter::csvString(entries));
}
BENCHMARK(BM_ExportCSV)->Arg(rowCount)->Unit(benchmark::kMillisecond);

// The floor of BM_ExportCSV: the same text from the same values in plain C++.
void BM_ExportFloor(benchmark::State& state)
{
    const auto& entries = exportEntries(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvFloor::csvText(entries));
}
BENCHMARK(BM_ExportFloor)->Arg(rowCount)->Unit(benchmark::kMillisecond);

// The floor of BM_ParseCSV: every field of every row of the same text delimited (quotes
// followed), nothing converted.
void BM_ScanFloor(benchmark::State& state)
{
    const std::string& text = csvText(Shape::Plain);
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvFloor::scanFields(text));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ScanFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarksInQtApplication<QCoreApplication>(argc, argv);
}
