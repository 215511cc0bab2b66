#pragma once

#include <QWidget>

class CorvantaTableView;
class DashboardView;
class ObjectContext;
class TSXComparisonView;
class QTabWidget;

// The main window's content: the three tabs "Dashboard", "Corvanta" (the entry table) and
// "TSX Comparison", the first one shown at launch.
class ContentView : public QWidget {
    Q_OBJECT
public:
    explicit ContentView(ObjectContext& context, QWidget* parent = nullptr);
    ~ContentView() override;

    QTabWidget* tabs() const { return tabs_; }
    DashboardView* dashboard() const { return dashboard_; }
    CorvantaTableView* entries() const { return entries_; }
    TSXComparisonView* comparison() const { return comparison_; }

private:
    QTabWidget* tabs_ = nullptr;
    DashboardView* dashboard_ = nullptr;
    CorvantaTableView* entries_ = nullptr;
    TSXComparisonView* comparison_ = nullptr;
};
