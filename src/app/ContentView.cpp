#include "app/ContentView.h"

#include "app/AppIcons.h"
#include "app/DashboardView.h"
#include "app/WelcomeBanner.h"
#include "model/ObjectContext.h"
#include "services/SampleData.h"
#include "views/entries/CorvantaTableView.h"
#include "views/comparison/TSXComparisonView.h"

#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Sample data only makes sense in a small store; a larger one is not searched for it.
constexpr std::int64_t sampleSearchLimit = 2000;
} // namespace

ContentView::ContentView(ObjectContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QVBoxLayout(this);
    welcome_ = new WelcomeBanner(this);
    layout->addWidget(welcome_);
    connect(welcome_, &WelcomeBanner::addFirstRequested, this, &ContentView::addFirstRequested);
    connect(welcome_, &WelcomeBanner::importRequested, this, &ContentView::importRequested);
    connect(welcome_, &WelcomeBanner::sampleRequested, this, &ContentView::loadSampleData);
    connect(welcome_, &WelcomeBanner::removeSampleRequested, this, &ContentView::removeSampleData);
    connect(&context_, &ObjectContext::objectsDidChange, this, &ContentView::refreshWelcome);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("mainTabs"));
    tabs_->setDocumentMode(true);
    tabs_->tabBar()->setAccessibleName(tr("Views"));
    dashboard_ = new DashboardView(context);
    entries_ = new CorvantaTableView(context);
    comparison_ = new TSXComparisonView(context);
    tabs_->addTab(dashboard_, AppIcons::dashboard(), tr("Dashboard"));
    tabs_->addTab(entries_, AppIcons::entryTable(), tr("Corvanta"));
    tabs_->addTab(comparison_, AppIcons::comparison(), tr("TSX Comparison"));
    layout->addWidget(tabs_);
    refreshWelcome();
}

ContentView::~ContentView() = default;

void ContentView::refreshWelcome()
{
    const Result<std::int64_t> count = context_.countBalanceEntries();
    if (!count) {
        welcome_->setState(WelcomeBanner::State::Hidden);
        return;
    }
    if (count.value() == 0)
        welcome_->setState(WelcomeBanner::State::EmptyStore);
    else if (count.value() <= sampleSearchLimit && SampleData::present(context_))
        welcome_->setState(WelcomeBanner::State::SampleData);
    else
        welcome_->setState(WelcomeBanner::State::Hidden);
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
