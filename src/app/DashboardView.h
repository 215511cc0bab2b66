#pragma once

#include <QSplitter>

class BalanceChartView;
class NewEntryFormView;
class ObjectContext;
class StatsPanelView;

// The dashboard tab: the new-entry form and the statistics in a scrolling pane on the left
// (320 to 460 wide), the balance chart on the right (at least 420 wide). Holds no state of its
// own: every change of the context's contents rebuilds both children from a fresh fetch of
// all entries by date ascending.
class DashboardView : public QSplitter {
    Q_OBJECT
public:
    static constexpr int sidebarMinimumWidth = 320;
    static constexpr int sidebarIdealWidth = 360;
    static constexpr int sidebarMaximumWidth = 460;
    static constexpr int chartMinimumWidth = 420;

    explicit DashboardView(ObjectContext& context, QWidget* parent = nullptr);
    ~DashboardView() override;

    void rebuild();

private:
    QWidget* buildSidebar();
    QWidget* buildChartPane();

    ObjectContext& context_;
    NewEntryFormView* form_ = nullptr;
    StatsPanelView* stats_ = nullptr;
    BalanceChartView* chart_ = nullptr;
};
