#pragma once

#include "analytics/PortfolioStats.h"
#include "automation/IntentsDataProvider.h"

#include <QCoreApplication>

#include <span>

// The desktop's "Portfolio Summary" action (the command line's `summary`). Cannot fail: an
// empty or unreadable store reads as all zeros.
struct GetPortfolioSummaryIntent {
    static constexpr const char* title = QT_TRANSLATE_NOOP("GetPortfolioSummaryIntent", "Get Portfolio Summary");

    struct Outcome {
        PortfolioSummary summary;
        QString dialog;
        double value() const { return summary.currentValue; }
    };
    Outcome perform(PersistentContainer& container) const;
    // The same over snapshots already read (the command line reads them without objects).
    static Outcome summarise(std::span<const StatsInput> inputs);

    // Three lines: "Current value: $X", "Investment gain: +$G (+P%)", "Net cash flows: $C".
    // The "+" (both places) follows the gain: zero or more gets it, a loss or NaN does not.
    static QString dialog(const PortfolioSummary& summary);

    Q_DECLARE_TR_FUNCTIONS(GetPortfolioSummaryIntent)
};
