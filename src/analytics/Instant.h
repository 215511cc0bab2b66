#pragma once

#include <chrono>

// An absolute point in time, in milliseconds since 1970-01-01 00:00:00 UTC (ICU's UDate unit).
using Instant = std::chrono::sys_time<std::chrono::milliseconds>;

// 0001-01-01 00:00:00 UTC: stands for a missing date and sorts before every real one.
inline constexpr Instant distantPast() { return Instant{std::chrono::milliseconds{-62135596800000LL}}; }

inline constexpr Instant instantFromMilliseconds(long long ms) { return Instant{std::chrono::milliseconds{ms}}; }
inline constexpr long long millisecondsOf(Instant t) { return t.time_since_epoch().count(); }
