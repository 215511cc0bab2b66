#include "csv/AlreadyStored.h"
#include "analytics/DayStart.h"

#include <QHash>

#include <bit>
#include <cstdint>
#include <unordered_map>

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

struct EntryKeyHash {
    std::size_t operator()(const EntryKey& key) const
    {
        // +0.0 turns -0.0 into 0.0, so that values that compare equal hash equally.
        std::uint64_t hash = static_cast<std::uint64_t>(key.day) * 0x9E3779B97F4A7C15ULL;
        for (const double amount : {key.balance, key.adjustment, key.transfers})
            hash = (hash ^ std::bit_cast<std::uint64_t>(amount + 0.0)) * 0x100000001B3ULL;
        return static_cast<std::size_t>(hash ^ qHash(key.note));
    }
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
    std::unordered_map<EntryKey, std::int64_t, EntryKeyHash> unmatched;
    unmatched.reserve(stored.size());
    for (const BalanceEntry::Values& values : stored)
        ++unmatched[keyOf(values, dayStart)];
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto found = unmatched.find(keyOf(rows[i].values, dayStart));
        if (found == unmatched.end() || found->second == 0)
            continue;
        --found->second;
        marks[i] = true;
    }
    return marks;
}

} // namespace CSVPorter
