#pragma once

#include "analytics/DateRange.h"
#include "analytics/Instant.h"
#include "analytics/ReturnDays.h"
#include "analytics/StatsInput.h"

#include <optional>
#include <span>

// The largest fall of the flow-neutral value from a peak to a later trough. The days are
// given by the dates of their last snapshots; both are the window's first day when the value
// never fell.
struct Drawdown {
    double depth = 0; // trough ÷ peak − 1: 0 or negative (−0.25 is a fall of a quarter)
    Instant peak;
    Instant trough;
};

// Return measures over a window, as fractions (0.05 is five per cent). Nothing stands for
// "no meaningful result", never a NaN.
//
// Conventions, shared by every measure:
// - The window runs from its first local day to its last (ReturnDays). The first day's
//   balance is the starting value, that day's own flows already inside it. Every later day's
//   flow happens at the end of that day: the day's balance already holds it.
// - Days are whole local calendar days; a year is 365 of them (actual/365). Figures for
//   windows longer than 365 days are annual rates; a shorter window gives the plain return
//   over the window, never an annualised one.
// - A window of one day, or with a non-finite balance or flow, has no result at all.
struct ReturnFigures {
    // Chain-linked: Π (balance − flow) ÷ previous balance, − 1. A sub-period from zero to zero
    // before its flow (an emptied portfolio refilled) counts as no change; one starting below
    // zero, gaining or losing on nothing, or ending below zero has no return, nor has the
    // window.
    std::optional<double> timeWeighted;
    // Internal rate of return: the starting balance paid in on the first day, each later
    // deposit paid in and withdrawal received on its day, the last balance received on the
    // last day. Annual (XIRR) over 365 days; nothing when no single rate fits.
    std::optional<double> moneyWeighted;
    // (end − start − flows) ÷ (start + Σ flow × share of the window left after its day);
    // nothing when that average capital is zero or less.
    std::optional<double> modifiedDietz;
    // The time-weighted return per 365 days over 365 days, the plain one otherwise.
    std::optional<double> annualisedTimeWeighted;
    // Of the flow-neutral value, the chain-linked product day by day.
    std::optional<Drawdown> maxDrawdown;
};

namespace ReturnMeasures {
// Over the window `range` counted back from `now`, as the balance chart's window.
ReturnFigures over(std::span<const StatsInput> inputs, DateRange range, Instant now);
ReturnFigures of(std::span<const ReturnDay> days);
} // namespace ReturnMeasures
