#include "views/dashboard/CurrencyAxis.h"

#include "services/DisplayText.h"

#include <algorithm>
#include <cmath>

namespace {
// The nice steps from `floor` upwards: 1, 2, 2.5, 5 times powers of ten, never below one unit.
double nextNiceStep(double atLeast)
{
    atLeast = std::max(atLeast, 1.0);
    const double magnitude = std::pow(10.0, std::floor(std::log10(atLeast)));
    for (double mantissa : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        const double step = mantissa * magnitude;
        if (step >= atLeast && (mantissa != 2.5 || magnitude >= 10))
            return step;
    }
    return 10 * magnitude;
}

long long intervalsCovering(double low, double high, double step)
{
    return static_cast<long long>(std::ceil(high / step) - std::floor(low / step));
}
} // namespace

ValueTicks niceTicks(double dataMin, double dataMax, int desiredCount)
{
    double low = std::isfinite(dataMin) ? dataMin : 0;
    double high = std::isfinite(dataMax) ? dataMax : low;
    if (low > high)
        std::swap(low, high);
    if (high - low < 1) { // a flat series still gets an axis around its value
        low -= 0.5;
        high += 0.5;
    }
    ValueTicks ticks;
    const long long maxIntervals = std::max(desiredCount - 1, 1);
    double step = nextNiceStep((high - low) / double(maxIntervals));
    if (!std::isfinite(step)) // beyond what nice steps can cover: just the two ends
        return {low, high, {low, high}};
    // The smallest nice step whose ticks cover the data in at most `maxIntervals` intervals.
    while (intervalsCovering(low, high, step) > maxIntervals)
        step = nextNiceStep(step * 1.000001);

    ticks.low = std::floor(low / step) * step;
    ticks.high = std::ceil(high / step) * step;
    if (!std::isfinite(ticks.low) || !std::isfinite(ticks.high)) // a nice tick beyond the largest double
        return {low, high, {low, high}};
    const long long count = intervalsCovering(low, high, step);
    for (long long i = 0; i <= count; ++i)
        ticks.values.push_back(ticks.low + double(i) * step);
    return ticks;
}

CurrencyAxis::CurrencyAxis(QObject* parent) : QCategoryAxis(parent)
{
    setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    fitTo(0, 1);
}

void CurrencyAxis::fitTo(double dataMin, double dataMax)
{
    ValueTicks ticks = niceTicks(dataMin, dataMax);
    if (ticks.values == ticks_.values && count() > 0)
        return; // relabelling would only re-lay the chart out
    ticks_ = std::move(ticks);
    for (const QString& label : categoriesLabels())
        remove(label);
    // Each category ends on a tick and is labelled there; the first one is empty and only
    // carries the label of the lowest tick.
    setStartValue(ticks_.low);
    for (double value : ticks_.values)
        append(DisplayText::currency(value), value);
    setRange(ticks_.low, ticks_.high);
}
