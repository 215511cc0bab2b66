#include "views/StatsPanelView.h"

#include "analytics/PortfolioStats.h"
#include "views/DisplayText.h"
#include "views/StatRow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
// Zero counts as a gain; a NaN is not "0 or more" and shows as a loss.
Tints::Role gainTint(double value) { return value >= 0 ? Tints::Role::Green : Tints::Role::Red; }
} // namespace

StatsPanelView::StatsPanelView(QWidget* parent) : QWidget(parent)
{
    auto* sections = new QVBoxLayout(this);
    sections->setContentsMargins(0, 0, 0, 0);
    sections->setSpacing(16);

    QVBoxLayout* portfolio = addSection(sections, QStringLiteral("Portfolio Stats"));
    maximumBalance_ = addRow(portfolio, QStringLiteral("Maximum Balance"));
    averageMonth_ = addRow(portfolio, QStringLiteral("Avg Balance (1 Month)"));
    averageQuarter_ = addRow(portfolio, QStringLiteral("Avg Balance (3 Months)"));
    averageHalfYear_ = addRow(portfolio, QStringLiteral("Avg Balance (6 Months)"));
    averageYear_ = addRow(portfolio, QStringLiteral("Avg Balance (1 Year)"));
    totalDeposits_ = addRow(portfolio, QStringLiteral("Total Deposits"));
    totalWithdrawals_ = addRow(portfolio, QStringLiteral("Total Withdrawals"));

    QVBoxLayout* summary = addSection(sections, QStringLiteral("Summary"));
    startingBalance_ = addRow(summary, QStringLiteral("Starting Balance"));
    netCashFlows_ = addRow(summary, QStringLiteral("Net Cash Flows"));
    currentValue_ = addRow(summary, QStringLiteral("Current Value"));
    investmentGain_ = addRow(summary, QStringLiteral("Investment Gain (excl. cash flows)"));
    gainPercent_ = addRow(summary, QStringLiteral("Gain as % of Start + Cash Flows"));

    recompute();
}

StatsPanelView::~StatsPanelView() = default;

void StatsPanelView::setInputs(std::vector<StatsInput> inputs)
{
    inputs_ = std::move(inputs);
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

QVBoxLayout* StatsPanelView::addSection(QVBoxLayout* parent, const QString& title)
{
    auto* section = new QVBoxLayout;
    section->setSpacing(8);
    auto* heading = new QLabel(title, this);
    QFont headline = heading->font();
    headline.setBold(true);
    heading->setFont(headline);
    heading->setAccessibleName(title);
    section->addWidget(heading);

    auto* rows = new QVBoxLayout;
    rows->setSpacing(6);
    section->addLayout(rows);
    parent->addLayout(section);
    return rows;
}

StatRow* StatsPanelView::addRow(QVBoxLayout* section, const QString& label)
{
    auto* row = new StatRow(label, this);
    section->addWidget(row);
    return row;
}

void StatsPanelView::recompute()
{
    using DisplayText::currency;
    const auto primary = Tints::Role::Primary;
    const std::span<const StatsInput> inputs(inputs_);
    const auto average = [&](int days) { return currency(PortfolioStats::averageBalance(inputs, days, clock_())); };

    maximumBalance_->setValue(currency(PortfolioStats::maxBalance(inputs)), primary);
    averageMonth_->setValue(average(30), primary);
    averageQuarter_->setValue(average(91), primary);
    averageHalfYear_->setValue(average(182), primary);
    averageYear_->setValue(average(365), primary);
    totalDeposits_->setValue(currency(PortfolioStats::totalDeposits(inputs)), Tints::Role::Green);
    totalWithdrawals_->setValue(currency(PortfolioStats::totalWithdrawals(inputs)), Tints::Role::Red);

    // One summary serves the five rows: it is a pure function of the same snapshots.
    const PortfolioSummary summary = PortfolioStats::summary(inputs);
    startingBalance_->setValue(currency(summary.startingBalance), primary);
    netCashFlows_->setValue(currency(summary.netCashFlows), primary);
    currentValue_->setValue(currency(summary.currentValue), primary);
    investmentGain_->setValue(currency(summary.investmentGain), gainTint(summary.investmentGain));
    gainPercent_->setValue(DisplayText::percent(summary.gainPercent), gainTint(summary.gainPercent));
}
