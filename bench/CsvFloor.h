#pragma once

// The CSV floors: writing the export's text and delimiting an import's fields in plain C++,
// without any of Corvanta's code. What the CSV paths take beyond these is what Corvanta's own
// layers cost (scripts/bench-ratios).

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace CsvFloor {

struct Entry {
    std::int64_t date; // milliseconds since 1970
    double balance;
    double adjustment;
    double transfers;
    std::optional<std::string> note;
};

// yyyy-MM-dd of a day count since 1970-01-01 (the civil calendar, days from 1583 on).
inline char* writeDay(char* out, std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const unsigned month = shifted < 10 ? shifted + 3 : shifted - 9;
    const auto year = static_cast<unsigned>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2));
    const auto two = [&](unsigned value) {
        *out++ = static_cast<char>('0' + value / 10);
        *out++ = static_cast<char>('0' + value % 10);
    };
    two(year / 100);
    two(year % 100);
    *out++ = '-';
    two(month);
    *out++ = '-';
    two(day);
    return out;
}

// The shortest text that reads back the same, integral values with ".0".
inline char* writeNumber(char* out, double value)
{
    char* end = std::to_chars(out, out + 32, value).ptr;
    if (std::find_if(out, end, [](char c) { return c == '.' || c == 'e' || c == 'n' || c == 'i'; }) == end) {
        *end++ = '.';
        *end++ = '0';
    }
    return end;
}

inline void appendNote(std::string& text, std::string_view note)
{
    const bool protect = !note.empty() && std::string_view("=+-@\t\r").find(note.front()) != std::string_view::npos;
    if (note.find_first_of(",\"\n") == std::string_view::npos) {
        if (protect)
            text += '\'';
        text += note;
        return;
    }
    text += '"';
    if (protect)
        text += '\'';
    for (std::size_t quote; (quote = note.find('"')) != std::string_view::npos; note.remove_prefix(quote + 1)) {
        text += note.substr(0, quote + 1);
        text += '"';
    }
    text += note;
    text += '"';
}

// The export's text: the header, then one line per entry, newest first (ties in given order).
inline std::string csvText(const std::vector<Entry>& entries)
{
    std::vector<std::pair<std::int64_t, std::size_t>> order;
    order.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order.emplace_back(entries[i].date, i);
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    std::string text = "Date,Balance,Adjustment,Transfers,Note";
    text.reserve(text.size() + entries.size() * 56);
    char line[160];
    for (const auto& [date, index] : order) {
        const Entry& entry = entries[index];
        char* out = line;
        *out++ = '\n';
        const std::int64_t day = entry.date >= 0 ? entry.date / 86'400'000 : (entry.date - 86'399'999) / 86'400'000;
        out = writeDay(out, day);
        *out++ = ',';
        out = writeNumber(out, entry.balance);
        *out++ = ',';
        out = writeNumber(out, entry.adjustment);
        *out++ = ',';
        if (entry.transfers != 0)
            out = writeNumber(out, entry.transfers);
        *out++ = ',';
        text.append(line, out);
        if (entry.note)
            appendNote(text, *entry.note);
    }
    return text;
}

// Delimits every field of every row (a quote switches quoted mode, where "," and line ends are
// text) and hands each row's fields, as views, to the count. Returns the number of fields.
inline std::size_t scanFields(std::string_view text)
{
    std::array<std::string_view, 16> row;
    std::size_t fields = 0;
    std::size_t inRow = 0;
    std::size_t start = 0;
    bool quoted = false;
    const auto endField = [&](std::size_t end) {
        if (inRow < row.size())
            row[inRow++] = text.substr(start, end - start);
        start = end + 1;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == ',') {
            endField(i);
        } else if (c == '\n' || c == '\r') {
            endField(i);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                start = ++i + 1;
            for (std::size_t f = 0; f < inRow; ++f)
                fields += !row[f].empty();
            inRow = 0;
        }
    }
    return fields;
}

} // namespace CsvFloor
