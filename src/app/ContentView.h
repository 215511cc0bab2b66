#pragma once

#include "app/WelcomeBanner.h"
#include "model/Result.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class BackgroundContext;
class CorvantaTableView;
class DashboardView;
class ObjectContext;
class TSXComparisonView;
class QIcon;
class QTabWidget;

// The main window's content: the three tabs "Dashboard", "Corvanta" (the entry table) and
// "TSX Comparison", the first one shown at launch, each topped by its first-run banner (shown
// on an empty store and while sample data is stored), whose sample commands it carries out.
// The two tabs behind the first are built after the window's first paint (or when first
// shown or asked for, if that comes sooner): the launch does not wait for them.
class ContentView : public QWidget {
    Q_OBJECT
public:
    explicit ContentView(ObjectContext& context, QWidget* parent = nullptr);
    ~ContentView() override;

    QTabWidget* tabs() const { return tabs_; }
    DashboardView* dashboard() const { return dashboard_; }
    // Built on first call.
    CorvantaTableView* entries();
    // Where the entries tab stores its imports (see CorvantaTableView::setBackgroundContexts),
    // now or once it is built.
    void setBackgroundContexts(std::function<std::unique_ptr<BackgroundContext>()> make);
    TSXComparisonView* comparison();
    // The banner at the top of tab `index`.
    WelcomeBanner* welcome(int index) const { return welcomes_.at(std::size_t(index)); }

    void loadSampleData();
    void removeSampleData();

Q_SIGNALS:
    void addFirstRequested();
    void importRequested();
    // What a sample command did ("Loaded 48 sample entries"); the store's Undo takes it back.
    void reported(const QString& text, bool undoable);
    // A tab's view was just built (see above).
    void viewBuilt(QWidget* view);

protected:
    bool event(QEvent* event) override;

private:
    void refreshWelcome();
    // Adds `view` as a tab under a banner of its own.
    void addTab(WelcomeBanner::Tab tab, const QIcon& icon, const QString& title);
    // Puts `view` in tab `index`, under its banner.
    void place(int index, QWidget* view);
    void buildTab(int index);
    // Runs a sample command and reports what it did (`report` takes the entries' count).
    void runSampleCommand(const std::function<Result<int>(ObjectContext&)>& command, QString (*report)(int count));

    ObjectContext& context_;
    std::vector<WelcomeBanner*> welcomes_;
    bool painted_ = false;
    QTabWidget* tabs_ = nullptr;
    DashboardView* dashboard_ = nullptr;
    CorvantaTableView* entries_ = nullptr;
    std::function<std::unique_ptr<BackgroundContext>()> backgroundContexts_;
    TSXComparisonView* comparison_ = nullptr;
};
