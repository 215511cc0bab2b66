#pragma once

#include "analytics/Instant.h"

#include <optional>
#include <string>
#include <string_view>

// The one place that decides how money, percentages and days look (in the user's locale and
// time zone, read from the environment) and how typed numbers and days are read back.
// Formatting functions return nothing when the formatter cannot produce a text; callers then
// show the matching fallback. All functions are safe to call from any thread. Texts are UTF-8.
namespace Fmt {
inline constexpr std::string_view currencyFallback = "$0";
inline constexpr std::string_view currencyCentsFallback = "$0.00";
inline constexpr std::string_view percentFallback = "0%";

std::optional<std::string> currency(double value);      // whole units, "$", half to even
std::optional<std::string> currencyCents(double value); // up to two fraction digits, "$"
std::optional<std::string> percent(double fraction);    // 0.1234 -> "12.3%"
std::optional<std::string> date(Instant instant);       // medium date style, e.g. "Mar 5, 2025"
std::optional<std::string> isoDay(Instant instant);     // "yyyy-MM-dd" in the local time zone

// Local midnight of a "yyyy-MM-dd" day (surrounding blanks and tabs ignored), or nothing.
std::optional<Instant> parseDay(std::string_view text);
// A plain C-locale floating-point literal that is finite, the whole text consumed, or nothing.
std::optional<double> finiteNumber(std::string_view text);
} // namespace Fmt
