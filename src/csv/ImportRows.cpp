#include "csv/ImportRows.h"
#include "csv/CSVPorter.h"
#include "csv/CSVTokenizer.h"
#include "csv/DecimalComma.h"
#include "csv/FieldText.h"
#include "model/NewEntry.h"

#include <QCoreApplication>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace CSVPorter {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ImportRows)
};

enum Column : std::size_t { DateColumn, BalanceColumn, AdjustmentColumn, TransfersColumn, NoteColumn, columnCount };

constexpr std::size_t batchSize = 4096;
constexpr std::size_t maxQueuedBatches = 16;
// Below this many rows a second thread costs more than it saves.
constexpr std::size_t threadedRowCount = 16'384;
constexpr qsizetype longestQuotedField = 40;

// Only ASCII letters matter: no other letter lower-cases to one of "date".
bool containsDateInAnyCase(std::string_view text)
{
    constexpr std::string_view word = "date";
    return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
           }) != text.end();
}

bool isBlankRow(std::span<const std::string> row)
{
    return std::all_of(row.begin(), row.end(), [](const std::string& field) { return trimmed(field).empty(); });
}

// A field as a reason quotes it: trimmed, on one line, cut short when long.
QString quoted(std::string_view field)
{
    const std::string_view text = trimmed(field);
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (shown.size() > longestQuotedField)
        shown = shown.left(longestQuotedField - 1) + QChar(0x2026);
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

// "06/04/2026" could be read day first; "06/14/2026" or "06/06/2026" could not be misread.
bool monthAndDayCouldTrade(std::string_view text)
{
    int first = 0, second = 0;
    std::size_t i = 0;
    for (int* part : {&first, &second}) {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            *part = *part * 10 + (text[i++] - '0');
        if (i == start || i - start > 2 || i == text.size() || text[i++] != '/')
            return false;
    }
    return first != second && first <= 12 && second <= 12;
}

struct Cancelled {};

class RowReader {
public:
    RowReader(const ReadOptions& options, ImportReading& reading) : options_(options), reading_(reading) {}

    // `row` holds the used columns only; `droppedText` whether a later one held text.
    void operator()(std::span<const std::string> row, bool droppedText, std::int64_t line)
    {
        const bool isHeader = first_ && containsDateInAnyCase(row[DateColumn]);
        first_ = false;
        if (isHeader || (!droppedText && isBlankRow(row)))
            return;
        if (row.size() <= BalanceColumn)
            return skip(line, Words::tr("only one column, no balance"));
        noteHints(row);
        const std::optional<ImportDateReader::Reading> date = dates_.readNamingPattern(row[DateColumn]);
        if (!date)
            return skip(line, Words::tr("%1 is not a date").arg(quoted(row[DateColumn])));
        const std::optional<double> balance = amount(row[BalanceColumn]);
        if (!balance) {
            if (trimmed(row[BalanceColumn]).empty())
                return skip(line, Words::tr("no balance"));
            return skip(line, Words::tr("%1 is not an amount").arg(quoted(row[BalanceColumn])));
        }
        notePattern(*date, row[DateColumn]);
        // The note as unescape gives it (trimmed; empty is none), straight into the entry's string type.
        std::optional<QString> note;
        if (row.size() > NoteColumn)
            if (const std::string_view text = trimmed(row[NoteColumn]); !text.empty())
                note = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        reading_.rows.push_back({line,
                                 {.date = date->instant,
                                  .balance = *balance,
                                  .adjustment = optionalAmount(row, AdjustmentColumn),
                                  .transfers = optionalAmount(row, TransfersColumn),
                                  .note = std::move(note)}});
    }

private:
    void skip(std::int64_t line, QString reason) { reading_.skipped.push_back({line, std::move(reason)}); }

    std::optional<double> amount(std::string_view field) const
    {
        return options_.decimalComma ? parseDecimalCommaNumber(field) : parseNumber(field);
    }

    double optionalAmount(std::span<const std::string> row, std::size_t column) const
    {
        return column < row.size() ? amount(row[column]).value_or(0) : 0;
    }

    void noteHints(std::span<const std::string> row)
    {
        for (std::size_t column = BalanceColumn; column < std::min<std::size_t>(row.size(), NoteColumn); ++column) {
            const AmountHint hint = amountHint(row[column]);
            reading_.decimalCommaHints += hint == AmountHint::DecimalComma;
            reading_.decimalPointHints += hint == AmountHint::DecimalPoint;
        }
    }

    void notePattern(const ImportDateReader::Reading& date, std::string_view field)
    {
        DatePatternUse& use = reading_.datePatterns[date.pattern];
        const bool slashed = date.pattern == 2 || date.pattern == 3;
        const bool better = use.rows == 0
            || (slashed && !exampleCouldTrade_[date.pattern] && monthAndDayCouldTrade(trimmed(field)));
        ++use.rows;
        if (!better)
            return;
        const std::string_view text = trimmed(field);
        use.example = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        use.instant = date.instant;
        exampleCouldTrade_[date.pattern] = slashed && monthAndDayCouldTrade(text);
    }

    const ReadOptions& options_;
    ImportReading& reading_;
    ImportDateReader& dates_ = threadImportDateReader();
    std::array<bool, importDatePatterns.size()> exampleCouldTrade_{};
    bool first_ = true;
};

// Batches handed from the worker to the consumer, at most maxQueuedBatches at a time.
class BatchQueue {
public:
    void push(EntryBatch&& batch)
    {
        std::unique_lock lock(mutex_);
        roomLeft_.wait(lock, [this] { return batches_.size() < maxQueuedBatches || abandoned_; });
        if (abandoned_)
            return;
        batches_.push_back(std::move(batch));
        ready_.notify_one();
    }

    // Nothing once the producer finished and every batch was taken.
    std::optional<EntryBatch> pop()
    {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return !batches_.empty() || finished_; });
        if (batches_.empty())
            return std::nullopt;
        EntryBatch batch = std::move(batches_.front());
        batches_.pop_front();
        roomLeft_.notify_one();
        return batch;
    }

    void finish()
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
        ready_.notify_all();
    }

    // The consumer stopped (it threw): the producer must not wait for room any more.
    void abandon()
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
        batches_.clear();
        roomLeft_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::condition_variable roomLeft_;
    std::deque<EntryBatch> batches_;
    bool finished_ = false;
    bool abandoned_ = false;
};

// Hands the entries of the rows kept to `deliver`, batchSize at a time.
void produceEntries(std::span<const ReadRow> rows, const std::vector<bool>& leaveOut, const std::function<void(EntryBatch&&)>& deliver)
{
    EntryBatch batch;
    batch.reserve(std::min(rows.size(), batchSize));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!leaveOut.empty() && leaveOut[i])
            continue;
        batch.push_back(makeBalanceEntry(rows[i].values));
        if (batch.size() == batchSize) {
            deliver(std::move(batch));
            batch = {};
            batch.reserve(batchSize);
        }
    }
    if (!batch.empty())
        deliver(std::move(batch));
}

void makeOnThisThread(std::span<const ReadRow> rows, const std::vector<bool>& leaveOut, const std::function<void(EntryBatch&)>& consume)
{
    produceEntries(rows, leaveOut, [&consume](EntryBatch&& batch) { consume(batch); });
}

} // namespace

ImportReading readImport(std::string_view text, const ReadOptions& options, const ReadProgress& progress)
{
    ImportReading reading;
    RowReader reader(options, reading);
    std::int64_t sinceProgress = 0;
    try {
        forEachRow(text, columnCount, PlacedRow([&](std::span<const std::string> row, bool droppedText, const RowPlace& place) {
                       reader(row, droppedText, place.line);
                       if (progress && ++sinceProgress == static_cast<std::int64_t>(batchSize)) {
                           sinceProgress = 0;
                           if (!progress(static_cast<double>(place.end) / static_cast<double>(text.size())))
                               throw Cancelled{};
                       }
                   }));
    } catch (const Cancelled&) {
        reading.cancelled = true;
    }
    return reading;
}

void makeEntries(std::span<const ReadRow> rows, const std::vector<bool>& leaveOut, const std::function<void(EntryBatch&)>& consume)
{
    if (rows.size() < threadedRowCount)
        return makeOnThisThread(rows, leaveOut, consume);
    BatchQueue queue;
    std::exception_ptr failure;
    std::thread worker;
    const auto produce = [&] {
        try {
            produceEntries(rows, leaveOut, [&queue](EntryBatch&& batch) { queue.push(std::move(batch)); });
        } catch (...) {
            failure = std::current_exception();
        }
        queue.finish();
    };
    try {
        worker = std::thread(produce);
    } catch (const std::system_error&) {
        return makeOnThisThread(rows, leaveOut, consume); // no thread to be had: make them on this one
    }
    try {
        while (std::optional<EntryBatch> batch = queue.pop())
            consume(*batch);
    } catch (...) {
        queue.abandon();
        worker.join();
        throw;
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace CSVPorter
