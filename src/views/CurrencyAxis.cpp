#include "views/CurrencyAxis.h"

#include "views/DisplayText.h"

#include <algorithm>
#include <cmath>

namespace {
double niceStep(double roughStep)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(roughStep)));
    const double fraction = roughStep / magnitude;
    double nice = 10;
    if (fraction <= 1)
        nice = 1;
    else if (fraction <= 2)
        nice = 2;
    else if (fraction <= 2.5 && magnitude >= 10)
        nice = 2.5;
    else if (fraction <= 5)
        nice = 5;
    return std::max(nice * magnitude, 1.0);
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
    const double step = niceStep((high - low) / std::max(desiredCount - 1, 1));
    ValueTicks ticks;
    if (!std::isfinite(step)) { // beyond what nice steps can cover: just the two ends
        ticks = {low, high, {low, high}};
        return ticks;
    }
    ticks.low = std::floor(low / step) * step;
    ticks.high = std::ceil(high / step) * step;
    const auto count = static_cast<long long>(std::llround((ticks.high - ticks.low) / step));
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
    ticks_ = niceTicks(dataMin, dataMax);
    for (const QString& label : categoriesLabels())
        remove(label);
    // Each category ends on a tick and is labelled there; the first one is empty and only
    // carries the label of the lowest tick.
    setStartValue(ticks_.low);
    for (double value : ticks_.values)
        append(DisplayText::currency(value), value);
    setRange(ticks_.low, ticks_.high);
}
