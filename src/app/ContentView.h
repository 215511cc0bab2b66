#pragma once

#include "model/Result.h"

#include <QWidget>

#include <functional>

class CorvantaTableView;
class DashboardView;
class ObjectContext;
class TSXComparisonView;
class WelcomeBanner;
class QTabWidget;

// The main window's content: the three tabs "Dashboard", "Corvanta" (the entry table) and
// "TSX Comparison", the first one shown at launch, under the first-run banner (shown on an
// empty store and while sample data is stored), whose sample commands it carries out.
class ContentView : public QWidget {
    Q_OBJECT
public:
    explicit ContentView(ObjectContext& context, QWidget* parent = nullptr);
    ~ContentView() override;

    QTabWidget* tabs() const { return tabs_; }
    DashboardView* dashboard() const { return dashboard_; }
    CorvantaTableView* entries() const { return entries_; }
    TSXComparisonView* comparison() const { return comparison_; }
    WelcomeBanner* welcome() const { return welcome_; }

    void loadSampleData();
    void removeSampleData();

Q_SIGNALS:
    void addFirstRequested();
    void importRequested();
    // What a sample command did ("Loaded 48 sample entries"); the store's Undo takes it back.
    void reported(const QString& text, bool undoable);

private:
    void refreshWelcome();
    // Runs a sample command and reports what it did (`report` takes the entries' count).
    void runSampleCommand(const std::function<Result<int>(ObjectContext&)>& command, QString (*report)(int count));

    ObjectContext& context_;
    WelcomeBanner* welcome_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    DashboardView* dashboard_ = nullptr;
    CorvantaTableView* entries_ = nullptr;
    TSXComparisonView* comparison_ = nullptr;
};
