#pragma once

#include "analytics/Instant.h"

#include <QString>

// The shared formatters' texts as QStrings, with the fixed fallbacks.
namespace Texts {
QString currency(double value);   // "$0" when the formatter gives nothing
QString percent(double fraction); // "0%" when the formatter gives nothing
QString date(Instant instant);    // empty when the formatter gives nothing
} // namespace Texts
