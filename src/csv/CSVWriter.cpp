#include "csv/CSVPorter.h"
#include "csv/ExportFields.h"
#include "model/BalanceEntry.h"

#include <algorithm>

namespace CSVPorter {

std::string csvString(const std::vector<std::shared_ptr<BalanceEntry>>& entries)
{
    return csvString(entries, std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()));
}

std::string csvString(const std::vector<std::shared_ptr<BalanceEntry>>& entries, Instant now)
{
    // Newest first; an entry without a date sorts as the distant past; ties keep input order.
    std::vector<const BalanceEntry*> ordered;
    ordered.reserve(entries.size());
    for (const auto& entry : entries)
        ordered.push_back(entry.get());
    std::stable_sort(ordered.begin(), ordered.end(), [](const BalanceEntry* a, const BalanceEntry* b) {
        return a->date().value_or(distantPast()) > b->date().value_or(distantPast());
    });

    std::string text(header);
    text.reserve(entries.size() * 48 + header.size());
    for (const BalanceEntry* entry : ordered) {
        text += '\n';
        text += exportDay(entry->date().value_or(now));
        text += ',';
        text += numberText(entry->balance());
        text += ',';
        text += numberText(entry->adjustment());
        text += ',';
        if (entry->transfers() != 0)
            text += numberText(entry->transfers());
        text += ',';
        if (entry->note())
            text += noteField(entry->note()->toStdString());
    }
    return text;
}

} // namespace CSVPorter
