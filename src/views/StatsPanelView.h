#pragma once

#include "analytics/StatsInput.h"
#include "views/Clock.h"

#include <QWidget>

#include <vector>

class StatRow;
class QVBoxLayout;

// The dashboard's statistics: two titled sections of label/value rows over all entries.
// No window and no state of its own besides the snapshots it was handed.
class StatsPanelView : public QWidget {
    Q_OBJECT
public:
    explicit StatsPanelView(QWidget* parent = nullptr);
    ~StatsPanelView() override;

    // Recomputes every row from these snapshots (the current instant is read here).
    void setInputs(std::vector<StatsInput> inputs);
    // The source of the current instant for the trailing averages (the system clock at first).
    void setClock(Clock clock);

protected:
    // The trailing averages depend on the clock: a panel shown again after a while is
    // recomputed rather than showing yesterday's windows.
    void showEvent(QShowEvent* event) override;

private:
    void recompute();

    std::vector<StatsInput> inputs_;
    Clock clock_ = systemNow;
    std::vector<StatRow*> rows_; // in the order of the row table
};
