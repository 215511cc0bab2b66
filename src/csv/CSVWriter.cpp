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
    // The values are copied out in one pass in the given order (reading scattered objects in
    // sorted order would wait on memory for each), then (date, position) pairs are sorted:
    // newest first, an entry without a date as the distant past, ties in input order.
    struct Line {
        Instant date;
        double balance;
        double adjustment;
        double transfers;
        const std::optional<QString>* note;
    };
    struct Position {
        long long key;
        std::size_t index;
    };
    std::vector<Line> lines;
    std::vector<Position> order;
    lines.reserve(entries.size());
    order.reserve(entries.size());
    for (const auto& entry : entries) {
        order.push_back({millisecondsOf(entry->date().value_or(distantPast())), lines.size()});
        lines.push_back({entry->date().value_or(now), entry->balance(), entry->adjustment(), entry->transfers(), &entry->note()});
    }
    std::sort(order.begin(), order.end(), [](const Position& a, const Position& b) {
        return a.key != b.key ? a.key > b.key : a.index < b.index;
    });

    std::string text(header);
    text.reserve(header.size() + entries.size() * 56);
    char buffer[1 + maxDayText + 3 * (1 + maxNumberText) + 1];
    for (const Position& position : order) {
        const Line& line = lines[position.index];
        char* out = buffer;
        *out++ = '\n';
        out = writeExportDay(out, line.date);
        *out++ = ',';
        out = writeNumber(out, line.balance);
        *out++ = ',';
        out = writeNumber(out, line.adjustment);
        *out++ = ',';
        if (line.transfers != 0)
            out = writeNumber(out, line.transfers);
        *out++ = ',';
        text.append(buffer, out);
        if (*line.note)
            text += noteField((*line.note)->toStdString());
    }
    return text;
}

} // namespace CSVPorter
