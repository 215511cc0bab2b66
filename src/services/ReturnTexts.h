#pragma once

#include "analytics/ReturnMeasures.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <optional>

// The returns as the window and the command line name them: one row per measure with a
// sentence or two on what it measures, and the heading that names the period.
struct ReturnRow {
    const char* label;
    const char* explanation;
    std::optional<double> (*value)(const ReturnFigures&);
};

namespace ReturnTexts {
// The catalogues' context of the rows' texts: QCoreApplication::translate(context, label).
inline constexpr const char* context = "ReturnTexts";
inline constexpr std::array<ReturnRow, 6> rows{{
    {QT_TRANSLATE_NOOP("ReturnTexts", "Time-Weighted Return"),
     QT_TRANSLATE_NOOP("ReturnTexts", "How the money invested grew over the whole period, the timing and size of deposits and withdrawals taken out. "
     "For the period, not per year."),
     [](const ReturnFigures& r) { return r.timeWeighted; }},
    {QT_TRANSLATE_NOOP("ReturnTexts", "Time-Weighted, per Year"),
     QT_TRANSLATE_NOOP("ReturnTexts", "The time-weighted return as a yearly rate, over the days from the first snapshot holding money to the last. "
     "Shown for 365 days or more only."),
     [](const ReturnFigures& r) { return r.annualisedTimeWeighted; }},
    {QT_TRANSLATE_NOOP("ReturnTexts", "Money-Weighted (XIRR), per Year"),
     QT_TRANSLATE_NOOP("ReturnTexts", "The yearly rate your money earned, each deposit and withdrawal counting from its own day (the internal rate of return). "
     "Shown for 365 days or more only."),
     [](const ReturnFigures& r) { return r.moneyWeighted; }},
    {QT_TRANSLATE_NOOP("ReturnTexts", "Modified Dietz Return"),
     QT_TRANSLATE_NOOP("ReturnTexts", "The gain over the period divided by the average capital invested, each flow weighted by the share of the period it was in. "
     "For the period, not per year."),
     [](const ReturnFigures& r) { return r.modifiedDietz; }},
    {QT_TRANSLATE_NOOP("ReturnTexts", "Max Drawdown"),
     QT_TRANSLATE_NOOP("ReturnTexts", "The deepest fall of the value, cash flows taken out, from a peak to a later low in the period."),
     [](const ReturnFigures& r) { return r.maxDrawdown ? std::optional(r.maxDrawdown->depth) : std::nullopt; }},
    {QT_TRANSLATE_NOOP("ReturnTexts", "Current Drawdown"),
     QT_TRANSLATE_NOOP("ReturnTexts", "How far the value, cash flows taken out, stands below its last peak on the period's last day."),
     [](const ReturnFigures& r) { return r.currentDrawdown ? std::optional(r.currentDrawdown->depth) : std::nullopt; }},
}};
inline constexpr std::size_t maxDrawdownRow = 4;
inline constexpr std::size_t currentDrawdownRow = 5;

// "Returns, Dec 31, 2021 – Nov 30, 2026"; "Returns" for a period without snapshots.
QString heading(const ReturnFigures& figures);
// The days of a fall: "From the peak of … to the trough of …; recovered on …" (or "not yet
// recovered") for the deepest, "Peak on …" for the current one.
QString maxDrawdownDays(const Drawdown& drawdown);
QString currentDrawdownDays(const Drawdown& drawdown);
// A return as a percentage; "—" where the measure has no result.
QString rate(std::optional<double> value);
} // namespace ReturnTexts
