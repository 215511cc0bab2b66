#pragma once

#include <QString>

#include <vector>

// Marks for a time axis on calendar boundaries of the local calendar, spaced to suit the span:
// days, then weeks (Mondays), then months, quarters and half years, then years (1, 2, 5, 10,
// ... at a time), at most `maxTicks` of them between the first and last instant. Labels name
// the boundary at the precision of the step ("Mar 4", "Mar 2025", "2025"), so no two are equal.
namespace DateTicks {

struct Tick {
    qint64 msecs; // local midnight of the boundary, in milliseconds since the epoch
    QString label;
};

std::vector<Tick> ticks(qint64 firstMsecs, qint64 lastMsecs, int maxTicks = 7);

} // namespace DateTicks
