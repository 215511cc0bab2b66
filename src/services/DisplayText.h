#pragma once

#include "analytics/Instant.h"

#include <QString>

// Fmt's texts as QStrings, with the fixed fallback when a formatter yields nothing.
namespace DisplayText {
QString currency(double value); // "$0" when formatting fails
QString percent(double fraction); // "0%" when formatting fails
QString date(Instant instant);    // empty when formatting fails
} // namespace DisplayText
