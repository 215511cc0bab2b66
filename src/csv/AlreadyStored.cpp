#include "csv/AlreadyStored.h"
#include "analytics/DayStart.h"

#include <QHash>

#include <array>
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

// The stored keys in an open-addressing table (linear probing, at most half full), each slot
// eight bytes: an index into the keys and the hash's high half, so that a probe compares
// keys only when that half matches. Equal keys sit in one probe run; each slot answers for
// one stored entry and is spent when a row matches it. A million keys make a table far
// larger than the processor's caches, and each lookup lands in it at random: callers
// prefetch a slot some rows before they take it, so that the misses overlap.
class StoredKeys {
public:
    // How many keys ahead to prefetch.
    static constexpr std::size_t lookahead = 16;

    explicit StoredKeys(std::vector<EntryKey> keys) : keys_(std::move(keys))
    {
        slots_.assign(std::bit_ceil(std::max<std::size_t>(keys_.size() * 2, 16)), Slot{});
        mask_ = slots_.size() - 1;
        std::vector<std::uint64_t> hashes(keys_.size());
        for (std::size_t i = 0; i < keys_.size(); ++i)
            hashes[i] = hashOf(keys_[i]);
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            if (i + lookahead < keys_.size())
                prefetch(hashes[i + lookahead]);
            std::size_t at = hashes[i] & mask_;
            while (slots_[at].key != Slot::empty)
                at = (at + 1) & mask_;
            slots_[at] = {tagOf(hashes[i]), static_cast<std::uint32_t>(i)};
        }
    }

    void prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

    // True when an unspent stored entry has `key` (whose hash is `hash`); that entry is then
    // spent.
    bool take(const EntryKey& key, std::uint64_t hash)
    {
        const std::uint32_t tag = tagOf(hash);
        for (std::size_t at = hash & mask_; slots_[at].key != Slot::empty; at = (at + 1) & mask_) {
            Slot& slot = slots_[at];
            if (slot.tag == tag && slot.key != Slot::spent && keys_[slot.key] == key) {
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
        std::uint32_t tag = 0;
        std::uint32_t key = empty;
    };
    static std::uint32_t tagOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

    std::vector<EntryKey> keys_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
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
    // Rows in turn (each stored entry goes to the first equal row), each key made and its
    // slot prefetched `lookahead` rows before it is taken.
    constexpr std::size_t ahead = StoredKeys::lookahead;
    std::array<EntryKey, ahead> pending;
    std::array<std::uint64_t, ahead> hashes{};
    for (std::size_t i = 0; i < rows.size() + ahead; ++i) {
        if (i >= ahead)
            marks[i - ahead] = unspent.take(pending[i % ahead], hashes[i % ahead]);
        if (i < rows.size()) {
            pending[i % ahead] = keyOf(rows[i].values, dayStart);
            hashes[i % ahead] = hashOf(pending[i % ahead]);
            unspent.prefetch(hashes[i % ahead]);
        }
    }
    return marks;
}

} // namespace CSVPorter
