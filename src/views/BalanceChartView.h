#pragma once

#include "analytics/PortfolioStats.h"

#include <QWidget>

#include <vector>

// The balance over time, with the investment-only curve and the range picker.
class BalanceChartView : public QWidget {
    Q_OBJECT
public:
    explicit BalanceChartView(QWidget* parent = nullptr);
    ~BalanceChartView() override;

    // The whole series (ascending by date); the view applies its own window.
    void setPoints(std::vector<BalancePoint> points);
};
