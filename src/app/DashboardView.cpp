#include "app/DashboardView.h"

#include "analytics/PortfolioStats.h"
#include "model/ObjectContext.h"
#include "model/StatsConversions.h"
#include "views/BalanceChartView.h"
#include "views/NewEntryFormView.h"
#include "views/StatsPanelView.h"

#include <QFrame>
#include <QLoggingCategory>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
Q_LOGGING_CATEGORY(lcDashboard, "corvanta.dashboard")
}

DashboardView::DashboardView(ObjectContext& context, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), context_(context)
{
    setObjectName(QStringLiteral("dashboard"));
    setChildrenCollapsible(false);
    addWidget(buildSidebar());
    addWidget(buildChartPane());
    // Extra width goes to the chart; the sidebar starts at its ideal width.
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({sidebarIdealWidth, 10 * sidebarIdealWidth});

    connect(&context_, &ObjectContext::objectsDidChange, this, &DashboardView::rebuild);
    rebuild();
}

DashboardView::~DashboardView() = default;

QWidget* DashboardView::buildSidebar()
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setSpacing(20);
    layout->setAlignment(Qt::AlignTop);
    form_ = new NewEntryFormView(context_, content);
    auto* divider = new QFrame(content);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    stats_ = new StatsPanelView(content);
    layout->addWidget(form_);
    layout->addWidget(divider);
    layout->addWidget(stats_);

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("dashboardSidebar"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMinimumWidth(sidebarMinimumWidth);
    scroll->setMaximumWidth(sidebarMaximumWidth);
    return scroll;
}

QWidget* DashboardView::buildChartPane()
{
    auto* pane = new QWidget;
    pane->setObjectName(QStringLiteral("dashboardChartPane"));
    pane->setMinimumWidth(chartMinimumWidth);
    auto* layout = new QVBoxLayout(pane);
    chart_ = new BalanceChartView(pane);
    layout->addWidget(chart_);
    return pane;
}

void DashboardView::rebuild()
{
    auto entries = context_.fetchBalanceEntries(BalanceEntry::Date, SortDirection::Ascending);
    if (!entries.ok()) {
        // Keep what is shown: an empty dashboard would read as "no data".
        qCWarning(lcDashboard).noquote() << QStringLiteral("Dashboard fetch failed: ") + entries.error().message;
        return;
    }
    std::vector<StatsInput> inputs = statsInputs(entries.value());
    chart_->setPoints(PortfolioStats::series(inputs));
    stats_->setInputs(std::move(inputs));
}
