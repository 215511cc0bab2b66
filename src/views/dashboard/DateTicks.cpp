#include "views/dashboard/DateTicks.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <array>
#include <functional>

namespace DateTicks {
namespace {
enum class Unit { Day, Week, Month, Year };

struct Step {
    Unit unit;
    int count;
};

constexpr std::array steps{
    Step{Unit::Day, 1},    Step{Unit::Day, 2},    Step{Unit::Week, 1},   Step{Unit::Week, 2},
    Step{Unit::Month, 1},  Step{Unit::Month, 2},  Step{Unit::Month, 3},  Step{Unit::Month, 6},
    Step{Unit::Year, 1},   Step{Unit::Year, 2},   Step{Unit::Year, 5},   Step{Unit::Year, 10},
    Step{Unit::Year, 20},  Step{Unit::Year, 50},  Step{Unit::Year, 100}, Step{Unit::Year, 1000},
};

// The first boundary of `step` on or after `day`.
QDate firstBoundary(QDate day, Step step)
{
    switch (step.unit) {
    case Unit::Day: return day;
    case Unit::Week: return day.addDays((8 - day.dayOfWeek()) % 7); // the next Monday
    case Unit::Month: {
        QDate month(day.year(), day.month(), 1);
        if (month < day)
            month = month.addMonths(1);
        while ((month.month() - 1) % step.count != 0)
            month = month.addMonths(1);
        return month;
    }
    case Unit::Year: {
        int year = day.year() + ((day.month() == 1 && day.day() == 1) ? 0 : 1);
        while (year % step.count != 0)
            ++year;
        return QDate(year, 1, 1);
    }
    }
    return day;
}

QDate next(QDate day, Step step)
{
    switch (step.unit) {
    case Unit::Day: return day.addDays(step.count);
    case Unit::Week: return day.addDays(7 * step.count);
    case Unit::Month: return day.addMonths(step.count);
    case Unit::Year: return day.addYears(step.count);
    }
    return day;
}

QString label(QDate day, Step step)
{
    const QLocale locale;
    switch (step.unit) {
    case Unit::Day:
    case Unit::Week: return locale.toString(day, QStringLiteral("MMM d"));
    case Unit::Month: return locale.toString(day, QStringLiteral("MMM yyyy"));
    case Unit::Year: return QString::number(day.year());
    }
    return {};
}

qint64 msecsOf(QDate day) { return day.startOfDay().toMSecsSinceEpoch(); }
} // namespace

std::vector<Tick> ticks(qint64 firstMsecs, qint64 lastMsecs, int maxTicks)
{
    if (lastMsecs < firstMsecs)
        std::swap(firstMsecs, lastMsecs);
    const QDate firstDay = QDateTime::fromMSecsSinceEpoch(firstMsecs).date();
    for (const Step step : steps) {
        // Day and week labels leave the year out: only within one year can they not repeat.
        const QDate lastDay = QDateTime::fromMSecsSinceEpoch(lastMsecs).date();
        if ((step.unit == Unit::Day || step.unit == Unit::Week) && firstDay.daysTo(lastDay) > 300)
            continue;
        std::vector<Tick> found;
        for (QDate day = firstBoundary(firstDay, step); day.isValid(); day = next(day, step)) {
            const qint64 at = msecsOf(day);
            if (at > lastMsecs)
                break;
            if (at >= firstMsecs)
                found.push_back({at, label(day, step)});
            if (int(found.size()) > maxTicks)
                break;
        }
        if (int(found.size()) <= maxTicks)
            return found;
    }
    return {};
}

} // namespace DateTicks
