#include "views/StatsPanelView.h"

StatsPanelView::StatsPanelView(QWidget* parent) : QWidget(parent) {}
StatsPanelView::~StatsPanelView() = default;

void StatsPanelView::setInputs(std::vector<StatsInput>) {}
