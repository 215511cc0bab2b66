#pragma once

#include "analytics/Instant.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class BalanceEntry;

// Moving balance entries between the store and comma-separated text.
// The file format: UTF-8; "," separates fields; LF, CR or CR LF ends a row; a double quote
// switches quoted mode, where two double quotes stand for one; columns by position: Date,
// Balance, Adjustment, Transfers, Note (more columns are ignored). All texts here are UTF-8.
//
// The interactive import and export (with their dialogs) are in CSVInteractive.h; the
// dialog-free import in CSVImport.h. Every function is safe to call from any thread.
namespace CSVPorter {

using Row = std::vector<std::string>;

// The tokenizer: rows of fields, exactly as written (quotes resolved, nothing trimmed).
// Works on user-perceived characters: a quote or comma fused with a combining mark is text.
// Blank lines give no row; a row always has at least one field.
std::vector<Row> parse(std::string_view text);

// The field trimmed of space separators and tabs (not line breaks); nothing when empty.
std::optional<std::string> unescape(std::string_view field);

// A money amount: "$", "," and spaces are ignored anywhere, "(…)" negates, the rest must be
// a finite C-locale floating-point literal. Nothing otherwise.
std::optional<double> parseNumber(std::string_view field);

// A day or moment in one of the eight import patterns, in the system time zone (see
// ImportDates.h). Nothing when no pattern reads the whole trimmed field.
std::optional<Instant> parseDate(std::string_view field);

// The complete CSV text of `entries`: the header, then one line per entry, newest first,
// lines joined by LF (no LF at the end). Entries without a date are written with `now`'s day.
std::string csvString(const std::vector<std::shared_ptr<BalanceEntry>>& entries);
std::string csvString(const std::vector<std::shared_ptr<BalanceEntry>>& entries, Instant now);

inline constexpr std::string_view header = "Date,Balance,Adjustment,Transfers,Note";

} // namespace CSVPorter
