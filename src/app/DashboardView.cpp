#include "app/DashboardView.h"

#include "analytics/PortfolioStats.h"
#include "model/ObjectContext.h"
#include "views/dashboard/BalanceChartView.h"
#include "views/dashboard/NewEntryFormView.h"
#include "views/dashboard/StatsPanelView.h"
#include "views/kit/HiddenOnPurpose.h"

#include <QFrame>
#include <QLoggingCategory>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {
Q_LOGGING_CATEGORY(lcDashboard, "corvanta.dashboard")
}

DashboardView::DashboardView(ObjectContext& context, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), context_(context), entries_(context, [this] { entriesChanged(); })
{
    setObjectName(QStringLiteral("dashboard"));
    setChildrenCollapsible(false);
    addWidget(buildSidebar());
    addWidget(buildChartPane());
    // Extra width goes to the chart; the sidebar starts at its ideal width.
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({sidebarIdealWidth, 10 * sidebarIdealWidth});
    // The chart's window picker also sets the window of the returns.
    connect(chart_, &BalanceChartView::rangeChanged, stats_, &StatsPanelView::setRange);
    chart_->setNoteLookup([this](const BalancePoint& point) { return noteFor(point); });

    if (auto fetched = entries_.fetch(); !fetched) {
        // An empty dashboard would read as "no data": say why it is empty.
        qCWarning(lcDashboard).noquote() << QStringLiteral("Dashboard fetch failed: ") + fetched.error().message;
    }
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
    layout->addStretch(1); // extra height goes below the statistics, not inside the form

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("dashboardSidebar"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // its fields take the focus; the pane itself is no stop
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
    refreshChart();
    stats_->shareInputs(entries_.inputs());
}

void DashboardView::refreshChart()
{
    chartStale_ = false;
    std::vector<BalancePoint> points = chart_->takePoints();
    PortfolioStats::updateSeries(*entries_.inputs(), entries_.takeFirstChangedRow(), points, seriesFlows_);
    chart_->setPoints(std::move(points));
}

void DashboardView::entriesChanged()
{
    // Hidden, the panel recomputes from the shared snapshots when it is shown again; the chart
    // waits for the dashboard's own show.
    if (isHiddenOnPurpose(*this))
        chartStale_ = true;
    else
        rebuild();
}

void DashboardView::showEvent(QShowEvent* event)
{
    if (chartStale_)
        refreshChart(); // the panel has just recomputed on its own show
    QSplitter::showEvent(event);
}

QString DashboardView::noteFor(const BalancePoint& point) const
{
    const auto byDate = [](const StatsInput& input, Instant date) { return input.date < date; };
    const auto& inputs = *entries_.inputs();
    for (auto input = std::lower_bound(inputs.begin(), inputs.end(), point.date, byDate); input != inputs.end() && input->date == point.date; ++input)
        if (input->id == point.id)
            return entries_.entries()[std::size_t(input - inputs.begin())]->note().value_or(QString());
    return {};
}
