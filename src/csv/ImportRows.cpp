#include "csv/ImportRows.h"
#include "csv/CSVPorter.h"
#include "csv/CSVTokenizer.h"
#include "csv/FieldText.h"
#include "model/NewEntry.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace CSVPorter {
namespace {

enum Column : std::size_t { DateColumn, BalanceColumn, AdjustmentColumn, TransfersColumn, NoteColumn, columnCount };

constexpr std::size_t batchSize = 4096;
constexpr std::size_t maxQueuedBatches = 16;
// Below this size a second thread costs more than it saves.
constexpr std::size_t threadedTextSize = 1 << 20;

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

double optionalAmount(std::span<const std::string> row, std::size_t column)
{
    return column < row.size() ? parseNumber(row[column]).value_or(0) : 0;
}

// Turns rows into batches of entries and counts the skipped ones.
class RowConverter {
public:
    explicit RowConverter(std::function<void(EntryBatch&&)> deliver) : deliver_(std::move(deliver)) {}

    // `row` holds the used columns only; `droppedText` whether a later one held text.
    void operator()(std::span<const std::string> row, bool droppedText)
    {
        const bool isHeader = first_ && containsDateInAnyCase(row[DateColumn]);
        first_ = false;
        if (isHeader || (!droppedText && isBlankRow(row)))
            return;
        const std::optional<Instant> date = row.size() > BalanceColumn ? parseDate(row[DateColumn]) : std::nullopt;
        const std::optional<double> balance = date ? parseNumber(row[BalanceColumn]) : std::nullopt;
        if (!balance) {
            ++skipped_;
            return;
        }
        // The note as unescape gives it (trimmed; empty is none), straight into the entry's string type.
        std::optional<QString> note;
        if (row.size() > NoteColumn)
            if (const std::string_view text = trimmed(row[NoteColumn]); !text.empty())
                note = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        // Made here, detached: the consumer's thread only inserts it.
        batch_.push_back(makeBalanceEntry({.date = date,
                                           .balance = *balance,
                                           .adjustment = optionalAmount(row, AdjustmentColumn),
                                           .transfers = optionalAmount(row, TransfersColumn),
                                           .note = std::move(note)}));
        if (batch_.size() == batchSize)
            flush();
    }

    void flush()
    {
        if (batch_.empty())
            return;
        deliver_(std::move(batch_));
        batch_ = {};
        batch_.reserve(batchSize);
    }

    std::int64_t skipped() const { return skipped_; }

private:
    std::function<void(EntryBatch&&)> deliver_;
    EntryBatch batch_;
    std::int64_t skipped_ = 0;
    bool first_ = true;
};

// Batches handed from the worker to the consumer, at most maxQueuedBatches at a time.
class BatchQueue {
public:
    void push(EntryBatch&& batch)
    {
        std::unique_lock lock(mutex_);
        roomLeft_.wait(lock, [this] { return batches_.size() < maxQueuedBatches || abandoned_; });
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

std::int64_t readOnThisThread(std::string_view text, const std::function<void(EntryBatch&)>& consume)
{
    RowConverter converter([&consume](EntryBatch&& batch) { consume(batch); });
    forEachRow(text, columnCount, [&converter](std::span<const std::string> row, bool droppedText) { converter(row, droppedText); });
    converter.flush();
    return converter.skipped();
}

std::int64_t readOnWorker(std::string_view text, const std::function<void(EntryBatch&)>& consume)
{
    BatchQueue queue;
    std::int64_t skipped = 0;
    std::exception_ptr failure;
    std::thread worker;
    const auto produce = [&] {
        try {
            RowConverter converter([&queue](EntryBatch&& batch) { queue.push(std::move(batch)); });
            forEachRow(text, columnCount, [&converter](std::span<const std::string> row, bool droppedText) { converter(row, droppedText); });
            converter.flush();
            skipped = converter.skipped();
        } catch (...) {
            failure = std::current_exception();
        }
        queue.finish();
    };
    try {
        worker = std::thread(produce);
    } catch (const std::system_error&) {
        return readOnThisThread(text, consume); // no thread to be had: read on this one
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
    return skipped;
}

} // namespace

std::int64_t readEntries(std::string_view text, const std::function<void(EntryBatch&)>& consume)
{
    return text.size() < threadedTextSize ? readOnThisThread(text, consume) : readOnWorker(text, consume);
}

} // namespace CSVPorter
