#pragma once

#include "analytics/Instant.h"

#include <array>
#include <functional>
#include <optional>
#include <string_view>

// The balance chart's time window, "1M" to "All".
class DateRange {
public:
    enum Case { month1, month3, month6, year1, year5, all };

    constexpr DateRange(Case value) : value_(value) {}
    constexpr Case value() const { return value_; }

    static const std::array<DateRange, 6> allCases; // declaration order = picker order

    // The label shown to the user, also the identity.
    std::string_view rawValue() const;
    std::string_view id() const { return rawValue(); }
    // Exact, case-sensitive match of a label; nothing otherwise.
    static std::optional<DateRange> fromRawValue(std::string_view label);

    // First instant of the window counted back from `now` in the local calendar and time
    // zone (month ends clamp); nothing for `all` or when the calendar cannot compute it.
    std::optional<Instant> startDate(Instant now) const;

    // Inclusive lower bound, no upper bound; no start means everything is inside.
    static bool contains(std::optional<Instant> start, Instant date) { return !start || date >= *start; }

    friend constexpr bool operator==(DateRange, DateRange) = default;

private:
    Case value_;
};

template <>
struct std::hash<DateRange> {
    std::size_t operator()(DateRange range) const noexcept { return std::hash<int>{}(range.value()); }
};
