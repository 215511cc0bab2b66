#include "app/ContentView.h"

#include "app/AppIcons.h"
#include "app/DashboardView.h"

#include <QTabWidget>
#include <QVBoxLayout>

ContentView::ContentView(ObjectContext& context, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("mainTabs"));
    tabs_->setDocumentMode(true);
    tabs_->addTab(new DashboardView(context), AppIcons::dashboard(), tr("Dashboard"));
    // The entry table and the index comparison take these pages when they are built.
    tabs_->addTab(new QWidget, AppIcons::entryTable(), tr("Corvanta"));
    tabs_->addTab(new QWidget, AppIcons::comparison(), tr("TSX Comparison"));
    layout->addWidget(tabs_);
}

ContentView::~ContentView() = default;
