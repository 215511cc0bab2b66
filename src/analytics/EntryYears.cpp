#include "analytics/EntryYears.h"

#include "analytics/ReturnDays.h"
#include "analytics/ReturnMeasures.h"

namespace EntryYears {
std::vector<EntryYear> of(std::span<const StatsInput> entries)
{
    const std::vector<CalendarYear> years = YearlyPortfolio::everyYear(entries);
    const std::vector<ReturnDay> days = ReturnDays::of(entries, std::nullopt);
    const std::span<const ReturnDay> allDays(days);
    std::vector<EntryYear> result;
    result.reserve(years.size());
    std::size_t first = 0; // the year's first day
    for (const CalendarYear& year : years) {
        while (first < days.size() && days[first].date < year.firstDay)
            ++first;
        std::size_t end = first;
        while (end < days.size() && days[end].date < year.nextYear)
            ++end;
        const std::size_t start = first > 0 ? first - 1 : first;
        result.push_back(EntryYear{year.year, year.figures, ReturnMeasures::timeWeighted(allDays.subspan(start, end - start))});
        first = end;
    }
    return result;
}
} // namespace EntryYears
