#pragma once

#include "analytics/PortfolioStats.h"
#include "analytics/StatsInput.h"
#include "model/LiveResult.h"

#include <QSplitter>

#include <vector>

class BalanceChartView;
class NewEntryFormView;
class ObjectContext;
class StatsPanelView;

// The dashboard tab: the new-entry form and the statistics in a scrolling pane on the left
// (320 to 460 wide), the balance chart on the right (at least 420 wide). Keeps every entry by
// date ascending as a live result, and their snapshots for the analytics in the same order,
// edited row by row as change sets arrive (no refetch, no re-sort); after each change set
// both children are rebuilt from the snapshots.
class DashboardView : public QSplitter, private LiveResult<BalanceEntry>::Listener {
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

private:
    QWidget* buildSidebar();
    QWidget* buildChartPane();

    // The snapshots follow the live result's rows.
    void didReset() override;
    void didInsert() override;
    void willInsert(int first, int last) override;
    void willRemove(int first, int last) override;
    void willMove(int from, int to) override;
    void didUpdate(int first, int last, std::uint32_t attributes) override;
    void didApply(const ChangeSet& changes) override;
    std::vector<StatsInput> snapshots(int first, int last) const;
    // The note of the entry a chart point stands for (the snapshots run parallel to the rows).
    QString noteFor(const BalancePoint& point) const;

    ObjectContext& context_;
    LiveResult<BalanceEntry> entries_;
    std::vector<StatsInput> inputs_;
    std::pair<int, int> inserting_;
    NewEntryFormView* form_ = nullptr;
    StatsPanelView* stats_ = nullptr;
    BalanceChartView* chart_ = nullptr;
};
