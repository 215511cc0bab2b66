#pragma once

#include "analytics/PortfolioStats.h"
#include "analytics/StatsInput.h"
#include "model/LiveSnapshots.h"

#include <QSplitter>

#include <vector>

class BalanceChartView;
class NewEntryFormView;
class ObjectContext;
class StatsPanelView;

// The dashboard tab: the new-entry form and the statistics in a scrolling pane on the left
// (320 to 460 wide), the balance chart on the right (at least 420 wide). Keeps every entry by
// date ascending with its snapshot for the analytics (LiveSnapshots); after each change of the
// entries the chart's series is brought up to date from the first row the change touched and
// the statistics are computed again, at once while the tab is shown, else when it is shown.
class DashboardView : public QSplitter {
    Q_OBJECT
public:
    static constexpr int sidebarMinimumWidth = 320;
    static constexpr int sidebarIdealWidth = 360;
    static constexpr int sidebarMaximumWidth = 460;
    static constexpr int chartMinimumWidth = 420;

    explicit DashboardView(ObjectContext& context, QWidget* parent = nullptr);
    ~DashboardView() override;

    NewEntryFormView* form() const { return form_; }
    BalanceChartView* chart() const { return chart_; }

    // Both children from the current snapshots.
    void rebuild();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildSidebar();
    QWidget* buildChartPane();
    void entriesChanged();
    void refreshChart();
    // The note of the entry a chart point stands for (the snapshots run parallel to the rows).
    QString noteFor(const BalancePoint& point) const;

    ObjectContext& context_;
    LiveSnapshots entries_;
    std::vector<double> seriesFlows_; // the running sums of adjustments behind the chart's points
    bool chartStale_ = false;
    NewEntryFormView* form_ = nullptr;
    StatsPanelView* stats_ = nullptr;
    BalanceChartView* chart_ = nullptr;
};
