#include "app/ContentView.h"

#include "app/AppIcons.h"
#include "app/DashboardView.h"
#include "app/WelcomeBanner.h"
#include "model/ObjectContext.h"
#include "services/SampleData.h"
#include "views/entries/CorvantaTableView.h"
#include "views/comparison/TSXComparisonView.h"

#include <QEvent>
#include <QMessageBox>
#include <QTabBar>
#include <QTimer>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace {
// Sample data only makes sense in a small store; a larger one is not searched for it.
constexpr std::int64_t sampleSearchLimit = 2000;
} // namespace

ContentView::ContentView(ObjectContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QVBoxLayout(this);
    connect(&context_, &ObjectContext::objectsDidChange, this, &ContentView::refreshWelcome);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("mainTabs"));
    tabs_->setDocumentMode(true);
    tabs_->tabBar()->setAccessibleName(tr("Views"));
    addTab(WelcomeBanner::Tab::Dashboard, AppIcons::dashboard(), tr("Dashboard"));
    addTab(WelcomeBanner::Tab::Entries, AppIcons::entryTable(), tr("Corvanta"));
    addTab(WelcomeBanner::Tab::Comparison, AppIcons::comparison(), tr("TSX Comparison"));
    dashboard_ = new DashboardView(context);
    place(0, dashboard_);
    connect(tabs_, &QTabWidget::currentChanged, this, &ContentView::buildTab);
    layout->addWidget(tabs_);
    refreshWelcome();
}

ContentView::~ContentView() = default;

CorvantaTableView* ContentView::entries()
{
    if (!entries_) {
        entries_ = new CorvantaTableView(context_);
        if (backgroundContexts_)
            entries_->setBackgroundContexts(backgroundContexts_);
        connect(entries_, &CorvantaTableView::reported, this, &ContentView::reported);
        place(1, entries_);
    }
    return entries_;
}

void ContentView::setBackgroundContexts(std::function<std::unique_ptr<BackgroundContext>()> make)
{
    backgroundContexts_ = std::move(make);
    if (entries_)
        entries_->setBackgroundContexts(backgroundContexts_);
}

TSXComparisonView* ContentView::comparison()
{
    if (!comparison_) {
        comparison_ = new TSXComparisonView(context_);
        place(2, comparison_);
    }
    return comparison_;
}

void ContentView::buildTab(int index)
{
    if (index == 1)
        entries();
    else if (index == 2)
        comparison();
}

bool ContentView::event(QEvent* event)
{
    if (event->type() == QEvent::Paint && !std::exchange(painted_, true)) {
        QTimer::singleShot(0, this, [this] {
            entries();
            comparison();
        });
    }
    return QWidget::event(event);
}

void ContentView::place(int index, QWidget* view)
{
    static_cast<QVBoxLayout*>(tabs_->widget(index)->layout())->addWidget(view, 1);
    view->show(); // at once: a layout shows a child added to a visible page only later
    Q_EMIT viewBuilt(view);
}

void ContentView::addTab(WelcomeBanner::Tab tab, const QIcon& icon, const QString& title)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* welcome = new WelcomeBanner(tab, page);
    column->addWidget(welcome);
    connect(welcome, &WelcomeBanner::addFirstRequested, this, &ContentView::addFirstRequested);
    connect(welcome, &WelcomeBanner::importRequested, this, &ContentView::importRequested);
    connect(welcome, &WelcomeBanner::sampleRequested, this, &ContentView::loadSampleData);
    connect(welcome, &WelcomeBanner::removeSampleRequested, this, &ContentView::removeSampleData);
    welcomes_.push_back(welcome);
    tabs_->addTab(page, icon, title);
}

void ContentView::refreshWelcome()
{
    const Result<std::int64_t> count = context_.countBalanceEntries();
    WelcomeBanner::State state = WelcomeBanner::State::Hidden;
    if (count && count.value() == 0)
        state = WelcomeBanner::State::EmptyStore;
    else if (count && count.value() <= sampleSearchLimit && SampleData::present(context_))
        state = WelcomeBanner::State::SampleData;
    for (WelcomeBanner* welcome : welcomes_)
        welcome->setState(state);
}

void ContentView::loadSampleData()
{
    runSampleCommand([](ObjectContext& context) { return SampleData::load(context); }, [](int count) {
        return count == 1 ? tr("Loaded 1 entry of sample data") : tr("Loaded %Ln entries of sample data", nullptr, count);
    });
}

void ContentView::removeSampleData()
{
    runSampleCommand(&SampleData::remove, [](int count) {
        return count == 1 ? tr("Removed 1 entry of sample data") : tr("Removed %Ln entries of sample data", nullptr, count);
    });
}

void ContentView::runSampleCommand(const std::function<Result<int>(ObjectContext&)>& command, QString (*report)(int count))
{
    const Result<int> done = command(context_);
    if (!done) {
        QMessageBox::warning(this, QString(), tr("Save failed: ") + done.error().message);
        return;
    }
    Q_EMIT reported(report(done.value()), true);
}
