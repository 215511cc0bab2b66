#pragma once

#include "analytics/DateRange.h"
#include "analytics/Instant.h"
#include "analytics/ReturnDays.h"
#include "analytics/ReturnWindow.h"
#include "analytics/StatsInput.h"

#include <optional>
#include <span>

// A fall of the flow-neutral value from a peak to a later trough, the days given by the dates
// of their last snapshots.
struct Drawdown {
    double depth = 0; // trough ÷ peak − 1: 0 or negative (−0.25 is a fall of a quarter)
    Instant peak;
    Instant trough;
    std::optional<Instant> recovery; // the first day back at the peak's value; none: not yet
};

// Return measures over a window, as fractions (0.05 is five per cent). Nothing stands for
// "no meaningful result", never a NaN.
//
// Conventions, shared by every measure:
// - The window runs from its first local day to its last (ReturnDays). The first day's
//   balance is the starting value, that day's own flows already inside it. Every later day's
//   flow happens at the end of that day: the day's balance already holds it.
// - Days are whole local calendar days; a year is 365 of them (actual/365).
// - A period figure covers the whole window. A per-year figure is taken over the days from
//   the window's first day that holds money to its last day, and only when those are 365 or
//   more: annualising a few months exaggerates.
// - A window of one day, or with a non-finite balance or flow, has no result at all.
struct ReturnFigures {
    // The window's first and last day (their last snapshots' dates); nothing without snapshots.
    std::optional<Instant> periodStart;
    std::optional<Instant> periodEnd;
    // The days the per-year figures are taken over, when money is held before the last day.
    std::optional<long long> annualisedOverDays;
    // Chain-linked over the period: Π (balance − flow) ÷ previous balance, − 1. A sub-period
    // from zero to zero before its flow (an emptied portfolio refilled) counts as no change;
    // one starting below zero, gaining or losing on nothing, or ending below zero has no
    // return, nor has the window.
    std::optional<double> timeWeighted;
    // The time-weighted return per 365 days.
    std::optional<double> annualisedTimeWeighted;
    // Internal rate of return per 365 days (XIRR): the first balance holding money paid in on
    // its day, each later deposit paid in and withdrawal received on its day, the last balance
    // received on the last day; nothing when no single rate fits.
    std::optional<double> moneyWeighted;
    // The same flows' rate over their own span, not per year.
    std::optional<double> moneyWeightedForPeriod;
    // Over the period: (end − start − flows) ÷ (start + Σ flow × share of the window left after
    // its day); nothing when that average capital is zero or less.
    std::optional<double> modifiedDietz;
    // Of the flow-neutral value, the chain-linked product day by day: the deepest fall, and
    // the fall from the last peak to the last day.
    std::optional<Drawdown> maxDrawdown;
    std::optional<Drawdown> currentDrawdown;
};

namespace ReturnMeasures {
// Over the window `range` counted back from `now`, as the balance chart's window.
ReturnFigures over(std::span<const StatsInput> inputs, DateRange range, Instant now);
ReturnFigures over(std::span<const StatsInput> inputs, const ReturnWindow& window);
ReturnFigures of(std::span<const ReturnDay> days);
// The period's time-weighted return alone.
std::optional<double> timeWeighted(std::span<const ReturnDay> days);
} // namespace ReturnMeasures
