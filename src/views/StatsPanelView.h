#pragma once

#include "analytics/StatsInput.h"

#include <QWidget>

#include <vector>

// The dashboard's statistics: two titled sections of label/value rows over all entries.
class StatsPanelView : public QWidget {
    Q_OBJECT
public:
    explicit StatsPanelView(QWidget* parent = nullptr);
    ~StatsPanelView() override;

    // Recomputes every row from these snapshots (the current instant is read here).
    void setInputs(std::vector<StatsInput> inputs);
};
