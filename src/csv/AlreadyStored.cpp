#include "csv/AlreadyStored.h"
#include "analytics/DayStart.h"

#include <QHash>

#include <bit>
#include <cstdint>
#include <algorithm>
#include <vector>

namespace CSVPorter {
namespace {

struct EntryKey {
    long long day = 0;
    double balance = 0;
    double adjustment = 0;
    double transfers = 0;
    QString note;
    friend bool operator==(const EntryKey&, const EntryKey&) = default;
};

std::uint64_t hashOf(const EntryKey& key)
{
    // +0.0 turns -0.0 into 0.0, so that values that compare equal hash equally.
    std::uint64_t hash = static_cast<std::uint64_t>(key.day) * 0x9E3779B97F4A7C15ULL;
    for (const double amount : {key.balance, key.adjustment, key.transfers})
        hash = (hash ^ std::bit_cast<std::uint64_t>(amount + 0.0)) * 0x100000001B3ULL;
    hash ^= qHash(key.note);
    return hash ^ (hash >> 29);
}

// The stored keys in an open-addressing table (linear probing, at most half full): a lookup
// is mostly one cache miss, where a node-based map costs two or more. Equal keys sit in one
// probe run; each slot answers for one stored entry and is spent when a row matches it.
class StoredKeys {
public:
    explicit StoredKeys(std::vector<EntryKey> keys) : keys_(std::move(keys))
    {
        slots_.assign(std::bit_ceil(std::max<std::size_t>(keys_.size() * 2, 16)), Slot{});
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            const std::uint64_t hash = hashOf(keys_[i]);
            std::size_t at = hash & (slots_.size() - 1);
            while (slots_[at].key != Slot::empty)
                at = (at + 1) & (slots_.size() - 1);
            slots_[at] = {hash, static_cast<std::uint32_t>(i)};
        }
    }

    // True when an unspent stored entry has `key`; that entry is then spent.
    bool take(const EntryKey& key)
    {
        const std::uint64_t hash = hashOf(key);
        for (std::size_t at = hash & (slots_.size() - 1); slots_[at].key != Slot::empty; at = (at + 1) & (slots_.size() - 1)) {
            Slot& slot = slots_[at];
            if (slot.hash == hash && slot.key != Slot::spent && keys_[slot.key] == key) {
                slot.key = Slot::spent;
                return true;
            }
        }
        return false;
    }

private:
    struct Slot {
        static constexpr std::uint32_t empty = UINT32_MAX;
        static constexpr std::uint32_t spent = UINT32_MAX - 1;
        std::uint64_t hash = 0;
        std::uint32_t key = empty;
    };
    std::vector<EntryKey> keys_;
    std::vector<Slot> slots_;
};

// As trimmed() trims a field: space separators and tabs, not line breaks (all of them BMP).
bool isTrimmed(QChar c) { return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space; }

QString noteKey(const std::optional<QString>& note)
{
    if (!note)
        return {};
    qsizetype first = 0, end = note->size();
    while (first < end && isTrimmed(note->at(first)))
        ++first;
    while (end > first && isTrimmed(note->at(end - 1)))
        --end;
    return first == 0 && end == note->size() ? *note : note->mid(first, end - first);
}

EntryKey keyOf(const BalanceEntry::Values& values, DayStart& dayStart)
{
    return {millisecondsOf(dayStart(values.date.value_or(distantPast()))), values.balance, values.adjustment, values.transfers,
            noteKey(values.note)};
}

} // namespace

std::vector<bool> markAlreadyStored(std::span<const ReadRow> rows, std::span<const BalanceEntry::Values> stored)
{
    std::vector<bool> marks(rows.size(), false);
    if (stored.empty() || rows.empty())
        return marks;
    DayStart dayStart;
    std::vector<EntryKey> keys;
    keys.reserve(stored.size());
    for (const BalanceEntry::Values& values : stored)
        keys.push_back(keyOf(values, dayStart));
    StoredKeys unspent(std::move(keys));
    for (std::size_t i = 0; i < rows.size(); ++i)
        marks[i] = unspent.take(keyOf(rows[i].values, dayStart));
    return marks;
}

} // namespace CSVPorter
