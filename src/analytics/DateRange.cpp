#include "analytics/DateRange.h"

#include "analytics/LocalCalendar.h"

const std::array<DateRange, 6> DateRange::allCases{month1, month3, month6, year1, year5, all};

std::string_view DateRange::rawValue() const
{
    switch (value_) {
    case month1: return "1M";
    case month3: return "3M";
    case month6: return "6M";
    case year1: return "1Y";
    case year5: return "5Y";
    case all: return "All";
    }
    return "All";
}

std::optional<DateRange> DateRange::fromRawValue(std::string_view label)
{
    for (const DateRange range : allCases)
        if (range.rawValue() == label)
            return range;
    return std::nullopt;
}

std::optional<Instant> DateRange::startDate(Instant now) const
{
    struct Span {
        UCalendarDateFields field;
        int amount;
    };
    Span span{UCAL_MONTH, 0};
    switch (value_) {
    case month1: span = {UCAL_MONTH, 1}; break;
    case month3: span = {UCAL_MONTH, 3}; break;
    case month6: span = {UCAL_MONTH, 6}; break;
    case year1: span = {UCAL_YEAR, 1}; break;
    case year5: span = {UCAL_YEAR, 5}; break;
    case all: return std::nullopt;
    }
    const auto calendar = LocalCalendar::current();
    if (!calendar)
        return std::nullopt;
    return LocalCalendar::adding(*calendar, span.field, -span.amount, now);
}
