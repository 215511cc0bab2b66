#include "app/ContentView.h"

#include "app/AppIcons.h"
#include "app/DashboardView.h"
#include "views/entries/CorvantaTableView.h"
#include "views/comparison/TSXComparisonView.h"

#include <QTabWidget>
#include <QVBoxLayout>

ContentView::ContentView(ObjectContext& context, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("mainTabs"));
    tabs_->setDocumentMode(true);
    tabs_->addTab(new DashboardView(context), AppIcons::dashboard(), tr("Dashboard"));
    tabs_->addTab(new CorvantaTableView(context), AppIcons::entryTable(), tr("Corvanta"));
    tabs_->addTab(new TSXComparisonView(context), AppIcons::comparison(), tr("TSX Comparison"));
    layout->addWidget(tabs_);
}

ContentView::~ContentView() = default;
