#pragma once

#include "analytics/DateRange.h"
#include "analytics/StatsInput.h"
#include "views/kit/Clock.h"

#include <QWidget>

#include <memory>
#include <vector>

class StatRow;
class QLabel;
class QVBoxLayout;

// The dashboard's statistics: titled sections of label/value rows. The balance figures and
// the summary are over all entries; the returns over the balance chart's window, which the
// dashboard passes on. No state of its own besides what it was handed.
class StatsPanelView : public QWidget {
    Q_OBJECT
public:
    explicit StatsPanelView(QWidget* parent = nullptr);
    ~StatsPanelView() override;

    // Recomputes every row from these snapshots (the current instant is read here).
    void setInputs(std::vector<StatsInput> inputs);
    // The same, without a copy: the caller edits them in place and calls this after each change
    // (the panel recomputes from them too when it is shown again).
    void shareInputs(std::shared_ptr<const std::vector<StatsInput>> inputs);
    // The window of the returns ("All" at first), counted back from the clock's instant.
    void setRange(DateRange range);
    // The source of the current instant for the trailing averages (the system clock at first).
    void setClock(Clock clock);

protected:
    // The trailing averages depend on the clock: a panel shown again after a while is
    // recomputed rather than showing yesterday's windows.
    void showEvent(QShowEvent* event) override;

private:
    void recompute();

    std::shared_ptr<const std::vector<StatsInput>> inputs_ = std::make_shared<const std::vector<StatsInput>>();
    DateRange range_ = DateRange::all;
    Clock clock_ = systemNow;
    std::vector<StatRow*> rows_; // in the order of the row table
    std::vector<QLabel*> titles_; // one per section
};
