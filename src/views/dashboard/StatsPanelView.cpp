#include "views/dashboard/StatsPanelView.h"

#include "services/DisplayText.h"
#include "services/PortfolioFigures.h"
#include "views/dashboard/StatRow.h"

#include <QLabel>
#include <QVBoxLayout>

#include <span>

namespace {
using Tints::Role;

// What every row may draw on: the figures are computed together, once per change.
struct Figures {
    std::span<const StatsInput> inputs;
    const Clock& clock;
    PortfolioStatistics statistics;
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

Role gainTint(double value) { return Tints::gainRole(value); }

const RowRule portfolioRows[] = {
    {"Maximum Balance", [](const Figures& f) { return money(f.statistics.maxBalance); }},
    {"Avg Balance (1 Month)", [](const Figures& f) { return money(f.statistics.averageBalance1Month); }},
    {"Avg Balance (3 Months)", [](const Figures& f) { return money(f.statistics.averageBalance3Months); }},
    {"Avg Balance (6 Months)", [](const Figures& f) { return money(f.statistics.averageBalance6Months); }},
    {"Avg Balance (1 Year)", [](const Figures& f) { return money(f.statistics.averageBalance1Year); }},
    {"Total Deposits", [](const Figures& f) { return money(f.statistics.totalDeposits, Tints::unlessZero(f.statistics.totalDeposits, Role::Green)); }},
    {"Total Withdrawals", [](const Figures& f) { return money(f.statistics.totalWithdrawals, Tints::unlessZero(f.statistics.totalWithdrawals, Role::Red)); }},
};

const RowRule summaryRows[] = {
    {"Starting Balance", [](const Figures& f) { return money(f.statistics.summary.startingBalance); }},
    {"Net Cash Flows", [](const Figures& f) { return money(f.statistics.summary.netCashFlows); }},
    {"Current Value", [](const Figures& f) { return money(f.statistics.summary.currentValue); }},
    {"Investment Gain (excl. cash flows)",
     [](const Figures& f) { return money(f.statistics.summary.investmentGain, gainTint(f.statistics.summary.investmentGain)); }},
    {"Gain as % of Start + Cash Flows",
     [](const Figures& f) { return Shown{DisplayText::percent(f.statistics.summary.gainPercent), gainTint(f.statistics.summary.gainPercent)}; }},
};

// A return as a percentage, or a dash where the measure has no result over the window.
Shown rate(std::optional<double> value)
{
    if (!value)
        return {QStringLiteral("—"), Role::Primary};
    return {DisplayText::percent(*value), gainTint(*value)};
}

Shown drawdown(const Figures& f)
{
    const std::optional<Drawdown>& deepest = f.statistics.returns.maxDrawdown;
    if (!deepest)
        return rate(std::nullopt);
    if (deepest->depth == 0)
        return {DisplayText::percent(0), Role::Primary};
    return {DisplayText::percent(deepest->depth), Role::Red,
            QStringLiteral("From the peak of %1 to the trough of %2").arg(DisplayText::date(deepest->peak), DisplayText::date(deepest->trough))};
}

const RowRule returnRows[] = {
    {"Time-Weighted Return", [](const Figures& f) { return rate(f.statistics.returns.timeWeighted); }},
    {"Money-Weighted Return (XIRR)", [](const Figures& f) { return rate(f.statistics.returns.moneyWeighted); }},
    {"Modified Dietz Return", [](const Figures& f) { return rate(f.statistics.returns.modifiedDietz); }},
    {"Annualised (Time-Weighted)", [](const Figures& f) { return rate(f.statistics.returns.annualisedTimeWeighted); }},
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
    const Figures figures{inputs_, clock_, PortfolioFigures::statistics(inputs_, clock_(), range_)};
    auto row = rows_.begin();
    for (const SectionRule& section : sections)
        for (const RowRule& rule : section.rows) {
            const Shown shown = rule.show(figures);
            (*row)->setToolTip(shown.toolTip);
            (*row++)->setValue(shown.text, shown.tint);
        }
}
