#include "views/BalanceChartView.h"

BalanceChartView::BalanceChartView(QWidget* parent) : QWidget(parent) {}
BalanceChartView::~BalanceChartView() = default;

void BalanceChartView::setPoints(std::vector<BalancePoint>) {}
