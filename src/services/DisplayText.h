#pragma once

#include "analytics/Instant.h"

#include <QString>

#include <optional>

// Fmt's texts as QStrings, with the fixed fallback when a formatter yields nothing.
namespace DisplayText {
QString currency(double value); // "$0" when formatting fails
QString percent(double fraction); // "0%" when formatting fails
QString date(Instant instant);    // empty when formatting fails

// The entry table's cells: a missing date, and a zero adjustment or transfers, show "—";
// transfers keep their cents.
QString entryDate(const std::optional<Instant>& date);
QString entryAdjustment(double adjustment);
QString entryTransfers(double transfers);
} // namespace DisplayText
