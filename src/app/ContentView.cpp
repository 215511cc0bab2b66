#include "app/ContentView.h"

#include "app/AppIcons.h"
#include "app/DashboardView.h"
#include "views/entries/CorvantaTableView.h"
#include "views/comparison/TSXComparisonView.h"

#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

ContentView::ContentView(ObjectContext& context, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
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
}

ContentView::~ContentView() = default;
