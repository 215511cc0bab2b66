#include "views/dashboard/StatsPanelView.h"

#include "services/DisplayText.h"
#include "services/PortfolioFigures.h"
#include "services/ReturnTexts.h"
#include "views/dashboard/StatRow.h"

#include <QCoreApplication>
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
    const char* explanation; // the row's tooltip: what it measures
    Shown (*show)(const Figures&);
    const char* context = "StatsPanelView"; // where the catalogues file the two texts
};

struct SectionRule {
    const char* title;
    std::span<const RowRule> rows;
};

Shown money(double value, Role tint = Role::Primary) { return {DisplayText::currency(value), tint}; }

// An average over a window without entries has no value: a dash, not $0.
Shown average(const std::optional<double>& value) { return value ? money(*value) : Shown{QStringLiteral("—"), Role::Primary}; }

Role gainTint(double value) { return Tints::gainRole(value); }

const RowRule portfolioRows[] = {
    {QT_TRANSLATE_NOOP("StatsPanelView", "Maximum Balance"), QT_TRANSLATE_NOOP("StatsPanelView", "The highest balance any entry records."), [](const Figures& f) { return money(f.statistics.maxBalance); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Avg Balance (1 Month)"), QT_TRANSLATE_NOOP("StatsPanelView", "The mean balance of the entries of the last 30 days, each entry counting once."),
     [](const Figures& f) { return average(f.statistics.averageBalance1Month); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Avg Balance (3 Months)"), QT_TRANSLATE_NOOP("StatsPanelView", "The mean balance of the entries of the last 91 days, each entry counting once."),
     [](const Figures& f) { return average(f.statistics.averageBalance3Months); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Avg Balance (6 Months)"), QT_TRANSLATE_NOOP("StatsPanelView", "The mean balance of the entries of the last 182 days, each entry counting once."),
     [](const Figures& f) { return average(f.statistics.averageBalance6Months); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Avg Balance (1 Year)"), QT_TRANSLATE_NOOP("StatsPanelView", "The mean balance of the entries of the last 365 days, each entry counting once."),
     [](const Figures& f) { return average(f.statistics.averageBalance1Year); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Total Deposits"), QT_TRANSLATE_NOOP("StatsPanelView", "Every deposit recorded, added up."), [](const Figures& f) { return money(f.statistics.totalDeposits, Tints::unlessZero(f.statistics.totalDeposits, Role::Green)); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Total Withdrawals"), QT_TRANSLATE_NOOP("StatsPanelView", "Every withdrawal recorded, added up."), [](const Figures& f) { return money(f.statistics.totalWithdrawals, Tints::unlessZero(f.statistics.totalWithdrawals, Role::Red)); }},
};

const RowRule summaryRows[] = {
    {QT_TRANSLATE_NOOP("StatsPanelView", "Starting Balance"), QT_TRANSLATE_NOOP("StatsPanelView", "The balance of the history's first day; that day's deposits are part of it."),
     [](const Figures& f) { return money(f.statistics.summary.startingBalance); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Net Cash Flows"), QT_TRANSLATE_NOOP("StatsPanelView", "Deposits less withdrawals after the first day."), [](const Figures& f) { return money(f.statistics.summary.netCashFlows); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Current Value"), QT_TRANSLATE_NOOP("StatsPanelView", "The balance of the history's last day."), [](const Figures& f) { return money(f.statistics.summary.currentValue); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Investment Gain (excl. cash flows)"), QT_TRANSLATE_NOOP("StatsPanelView", "What the investments earned: the current value less the starting balance and the net cash flows."),
     [](const Figures& f) { return money(f.statistics.summary.investmentGain, gainTint(f.statistics.summary.investmentGain)); }},
    {QT_TRANSLATE_NOOP("StatsPanelView", "Gain as % of Start + Cash Flows"), QT_TRANSLATE_NOOP("StatsPanelView", "The investment gain as a share of the starting balance plus the net cash flows."),
     [](const Figures& f) { return Shown{DisplayText::percent(f.statistics.summary.gainPercent), gainTint(f.statistics.summary.gainPercent)}; }},
};

// A return as a percentage, or a dash where the measure has no result over the window.
Shown rate(std::optional<double> value) { return {ReturnTexts::rate(value), value ? gainTint(*value) : Role::Primary}; }

template <std::size_t row>
Shown returnRow(const Figures& f)
{
    return rate(ReturnTexts::rows[row].value(f.statistics.returns));
}

// A fall is red, none at all plain; the tooltip adds its days.
Shown fall(const std::optional<Drawdown>& drawdown, QString (*days)(const Drawdown&))
{
    if (!drawdown)
        return rate(std::nullopt);
    if (drawdown->depth == 0)
        return {DisplayText::percent(0), Role::Primary, days(*drawdown)};
    return {DisplayText::percent(drawdown->depth), Role::Red, days(*drawdown)};
}

constexpr RowRule returnRule(std::size_t row, Shown (*show)(const Figures&))
{
    return {ReturnTexts::rows[row].label, ReturnTexts::rows[row].explanation, show, ReturnTexts::context};
}

const RowRule returnRows[] = {
    returnRule(0, returnRow<0>),
    returnRule(1, returnRow<1>),
    returnRule(2, returnRow<2>),
    returnRule(3, returnRow<3>),
    returnRule(ReturnTexts::maxDrawdownRow, [](const Figures& f) { return fall(f.statistics.returns.maxDrawdown, ReturnTexts::maxDrawdownDays); }),
    returnRule(ReturnTexts::currentDrawdownRow,
               [](const Figures& f) { return fall(f.statistics.returns.currentDrawdown, ReturnTexts::currentDrawdownDays); }),
};
static_assert(std::size(returnRows) == ReturnTexts::rows.size());

// The returns' title names the window's dates; it is set with the figures.
const SectionRule sections[] = {{QT_TRANSLATE_NOOP("StatsPanelView", "Portfolio Stats"), portfolioRows},
                                {QT_TRANSLATE_NOOP("StatsPanelView", "Summary"), summaryRows},
                                {QT_TRANSLATE_NOOP("StatsPanelView", "Returns"), returnRows}};
constexpr std::size_t returnsSection = 2;
} // namespace

StatsPanelView::StatsPanelView(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    for (const SectionRule& sectionRule : sections) {
        auto* section = new QVBoxLayout;
        section->setSpacing(8);
        auto* title = new QLabel(tr(sectionRule.title), this);
        titles_.push_back(title);
        QFont headline = title->font();
        headline.setBold(true);
        title->setFont(headline);
        section->addWidget(title);

        auto* rows = new QVBoxLayout;
        rows->setSpacing(6);
        for (const RowRule& rowRule : sectionRule.rows) {
            rows_.push_back(new StatRow(QCoreApplication::translate(rowRule.context, rowRule.label), this));
            rows->addWidget(rows_.back());
        }
        section->addLayout(rows);
        column->addLayout(section);
    }
    recompute();
}

StatsPanelView::~StatsPanelView() = default;

void StatsPanelView::setInputs(std::vector<StatsInput> inputs) { shareInputs(std::make_shared<const std::vector<StatsInput>>(std::move(inputs))); }

void StatsPanelView::shareInputs(std::shared_ptr<const std::vector<StatsInput>> inputs)
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
    const Figures figures{*inputs_, clock_, PortfolioFigures::statistics(*inputs_, clock_(), range_)};
    auto row = rows_.begin();
    for (const SectionRule& section : sections)
        for (const RowRule& rule : section.rows) {
            const Shown shown = rule.show(figures);
            const QString explanation = QCoreApplication::translate(rule.context, rule.explanation);
            (*row)->setToolTip(shown.toolTip.isEmpty() ? explanation : explanation + QLatin1Char(' ') + shown.toolTip);
            (*row++)->setValue(shown.text, shown.tint);
        }
    titles_[returnsSection]->setText(ReturnTexts::heading(figures.statistics.returns));
}
