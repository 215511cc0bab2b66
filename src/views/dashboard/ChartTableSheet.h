#pragma once

#include "analytics/PortfolioStats.h"

#include <QWidget>

#include <functional>
#include <vector>

// The chart as a table, for reading it without the picture: one row per point drawn, with
// the date, the balance, the investment-only value and the note; Close ends it.
class ChartTableSheet : public QWidget {
    Q_OBJECT
public:
    ChartTableSheet(const std::vector<BalancePoint>& points, const std::function<QString(const BalancePoint&)>& notes,
                    std::function<void()> onClose, QWidget* parent = nullptr);
};
