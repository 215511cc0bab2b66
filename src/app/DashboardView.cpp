#include "app/DashboardView.h"

#include "analytics/PortfolioStats.h"
#include "model/ObjectContext.h"
#include "model/StatsConversions.h"
#include "views/dashboard/BalanceChartView.h"
#include "views/dashboard/NewEntryFormView.h"
#include "views/dashboard/StatsPanelView.h"

#include <QFrame>
#include <QLoggingCategory>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {
Q_LOGGING_CATEGORY(lcDashboard, "corvanta.dashboard")
}

DashboardView::DashboardView(ObjectContext& context, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), context_(context), entries_(context, BalanceEntry::Date, SortDirection::Ascending)
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

    entries_.setListener(this);
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
    chart_->setPoints(PortfolioStats::series(inputs_));
    stats_->setInputs(inputs_);
}

std::vector<StatsInput> DashboardView::snapshots(int first, int last) const
{
    const auto& objects = entries_.objects();
    return statsInputs(std::ranges::subrange(objects.begin() + first, objects.begin() + last + 1));
}

QString DashboardView::noteFor(const BalancePoint& point) const
{
    const auto byDate = [](const StatsInput& input, Instant date) { return input.date < date; };
    const auto& objects = entries_.objects();
    for (auto input = std::lower_bound(inputs_.begin(), inputs_.end(), point.date, byDate);
         input != inputs_.end() && input->date == point.date; ++input)
        if (input->id == point.id)
            return objects[std::size_t(input - inputs_.begin())]->note().value_or(QString());
    return {};
}

void DashboardView::didReset() { inputs_ = statsInputs(entries_.objects()); }

void DashboardView::willInsert(int first, int last) { inserting_ = {first, last}; }

void DashboardView::didInsert()
{
    const auto added = snapshots(inserting_.first, inserting_.second);
    inputs_.insert(inputs_.begin() + inserting_.first, added.begin(), added.end());
}

void DashboardView::willRemove(int first, int last) { inputs_.erase(inputs_.begin() + first, inputs_.begin() + last + 1); }

void DashboardView::willMove(int from, int to)
{
    if (to < from)
        std::rotate(inputs_.begin() + to, inputs_.begin() + from, inputs_.begin() + from + 1);
    else
        std::rotate(inputs_.begin() + from, inputs_.begin() + from + 1, inputs_.begin() + to);
}

void DashboardView::didUpdate(int first, int last, std::uint32_t)
{
    const auto changed = snapshots(first, last);
    std::copy(changed.begin(), changed.end(), inputs_.begin() + first);
}

void DashboardView::didApply(const ChangeSet& changes)
{
    if (changes.reset || !changes.entries.isEmpty())
        rebuild();
}
