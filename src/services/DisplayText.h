#pragma once

#include "analytics/Instant.h"

#include <QString>

#include <optional>

// Fmt's texts as QStrings, with the fixed fallback when a formatter yields nothing.
namespace DisplayText {
QString currency(double value); // "$0" when formatting fails
QString percent(double fraction); // "0%" when formatting fails
QString date(Instant instant);    // empty when formatting fails
// The first line of `text` (up to a line break: LF, CR, U+2028 or U+2029), at most
// `maxCharacters` long, ending in "…" when anything was left out. Reads no further than that,
// so a note of megabytes costs no more than a short one.
QString firstLine(const QString& text, qsizetype maxCharacters);

// The entry table's cells: a missing date, and a zero adjustment or transfers, show "—";
// transfers keep their cents.
QString entryDate(const std::optional<Instant>& date);
QString entryAdjustment(double adjustment);
QString entryTransfers(double transfers);
} // namespace DisplayText
