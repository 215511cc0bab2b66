#include "views/StatsPanelView.h"

#include "analytics/Fmt.h"
#include "analytics/PortfolioStats.h"
#include "analytics/ReturnMeasures.h"
#include "views/DisplayText.h"
#include "views/StatRow.h"

#include <QLabel>
#include <QVBoxLayout>

#include <span>

namespace {
using Tints::Role;

// What every row may draw on; the summary and the returns are each one pure function of the
// same snapshots, so their rows share one computation.
struct Figures {
    std::span<const StatsInput> inputs;
    const Clock& clock;
    PortfolioSummary summary;
    ReturnFigures returns;
};

struct Shown {
    QString text;
    Role tint;
    QString toolTip = {};
};

struct RowRule {
    const char* label;
    Shown (*show)(const Figures&);
};

struct SectionRule {
    const char* title;
    std::span<const RowRule> rows;
};

Shown money(double value, Role tint = Role::Primary) { return {DisplayText::currency(value), tint}; }

// Zero counts as a gain; a NaN is not "0 or more" and shows as a loss.
Role gainTint(double value) { return value >= 0 ? Role::Green : Role::Red; }

// The trailing windows are fixed numbers of calendar days; the clock is read for each row.
template <int days>
Shown averageBalance(const Figures& f)
{
    return money(PortfolioStats::averageBalance(f.inputs, days, f.clock()));
}

const RowRule portfolioRows[] = {
    {"Maximum Balance", [](const Figures& f) { return money(PortfolioStats::maxBalance(f.inputs)); }},
    {"Avg Balance (1 Month)", averageBalance<30>},
    {"Avg Balance (3 Months)", averageBalance<91>},
    {"Avg Balance (6 Months)", averageBalance<182>},
    {"Avg Balance (1 Year)", averageBalance<365>},
    {"Total Deposits", [](const Figures& f) { return money(PortfolioStats::totalDeposits(f.inputs), Role::Green); }},
    {"Total Withdrawals", [](const Figures& f) { return money(PortfolioStats::totalWithdrawals(f.inputs), Role::Red); }},
};

const RowRule summaryRows[] = {
    {"Starting Balance", [](const Figures& f) { return money(f.summary.startingBalance); }},
    {"Net Cash Flows", [](const Figures& f) { return money(f.summary.netCashFlows); }},
    {"Current Value", [](const Figures& f) { return money(f.summary.currentValue); }},
    {"Investment Gain (excl. cash flows)",
     [](const Figures& f) { return money(f.summary.investmentGain, gainTint(f.summary.investmentGain)); }},
    {"Gain as % of Start + Cash Flows",
     [](const Figures& f) { return Shown{DisplayText::percent(f.summary.gainPercent), gainTint(f.summary.gainPercent)}; }},
};

// A return as a percentage, or a dash where the measure has no result over the window.
Shown rate(std::optional<double> value)
{
    if (!value)
        return {QStringLiteral("—"), Role::Primary};
    return {DisplayText::percent(*value), gainTint(*value)};
}

QString day(Instant instant) { return QString::fromStdString(Fmt::date(instant).value_or("")); }

Shown drawdown(const Figures& f)
{
    const std::optional<Drawdown>& deepest = f.returns.maxDrawdown;
    if (!deepest)
        return rate(std::nullopt);
    if (deepest->depth == 0)
        return {DisplayText::percent(0), Role::Primary};
    return {DisplayText::percent(deepest->depth), Role::Red,
            QStringLiteral("From the peak of %1 to the trough of %2").arg(day(deepest->peak), day(deepest->trough))};
}

const RowRule returnRows[] = {
    {"Time-Weighted Return", [](const Figures& f) { return rate(f.returns.timeWeighted); }},
    {"Money-Weighted Return (XIRR)", [](const Figures& f) { return rate(f.returns.moneyWeighted); }},
    {"Modified Dietz Return", [](const Figures& f) { return rate(f.returns.modifiedDietz); }},
    {"Annualised (Time-Weighted)", [](const Figures& f) { return rate(f.returns.annualisedTimeWeighted); }},
    {"Max Drawdown", drawdown},
};

const SectionRule sections[] = {{"Portfolio Stats", portfolioRows}, {"Summary", summaryRows}, {"Returns", returnRows}};
} // namespace

StatsPanelView::StatsPanelView(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    for (const SectionRule& sectionRule : sections) {
        auto* section = new QVBoxLayout;
        section->setSpacing(8);
        auto* title = new QLabel(QString::fromUtf8(sectionRule.title), this);
        QFont headline = title->font();
        headline.setBold(true);
        title->setFont(headline);
        section->addWidget(title);

        auto* rows = new QVBoxLayout;
        rows->setSpacing(6);
        for (const RowRule& rowRule : sectionRule.rows) {
            rows_.push_back(new StatRow(QString::fromUtf8(rowRule.label), this));
            rows->addWidget(rows_.back());
        }
        section->addLayout(rows);
        column->addLayout(section);
    }
    recompute();
}

StatsPanelView::~StatsPanelView() = default;

void StatsPanelView::setInputs(std::vector<StatsInput> inputs)
{
    inputs_ = std::move(inputs);
    recompute();
}

void StatsPanelView::setRange(DateRange range)
{
    range_ = range;
    recompute();
}

void StatsPanelView::setClock(Clock clock)
{
    clock_ = std::move(clock);
    recompute();
}

void StatsPanelView::showEvent(QShowEvent* event)
{
    recompute();
    QWidget::showEvent(event);
}

void StatsPanelView::recompute()
{
    const Figures figures{inputs_, clock_, PortfolioStats::summary(inputs_), ReturnMeasures::over(inputs_, range_, clock_())};
    auto row = rows_.begin();
    for (const SectionRule& section : sections)
        for (const RowRule& rule : section.rows) {
            const Shown shown = rule.show(figures);
            (*row)->setToolTip(shown.toolTip);
            (*row++)->setValue(shown.text, shown.tint);
        }
}
