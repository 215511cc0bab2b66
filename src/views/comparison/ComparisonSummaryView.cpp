#include "views/comparison/ComparisonSummaryView.h"

#include "views/kit/DigitFont.h"
#include "services/DisplayText.h"
#include "views/kit/TextStyles.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
using Tints::Role;

struct FigureRow {
    const char* title;
    double TSXComparison::*portfolio;
    double TSXComparison::*index;
    QString (*format)(double);
};

const FigureRow figureRows[] = {
    {QT_TRANSLATE_NOOP("ComparisonSummaryView", "Starting Balance"), &TSXComparison::portfolioStartingBalance, &TSXComparison::tsxStartingBalance, DisplayText::currency},
    {QT_TRANSLATE_NOOP("ComparisonSummaryView", "Net Cash Flows"), &TSXComparison::portfolioNetCashFlows, &TSXComparison::tsxNetCashFlows, DisplayText::currency},
    {QT_TRANSLATE_NOOP("ComparisonSummaryView", "Current Value"), &TSXComparison::portfolioCurrentValue, &TSXComparison::tsxCurrentValue, DisplayText::currency},
    {QT_TRANSLATE_NOOP("ComparisonSummaryView", "Investment Gain (excl. cash flows)"), &TSXComparison::portfolioInvestmentGain, &TSXComparison::tsxInvestmentGain,
     DisplayText::currency},
    {QT_TRANSLATE_NOOP("ComparisonSummaryView", "Gain as % of Start + Cash Flows"), &TSXComparison::portfolioGainPercent, &TSXComparison::tsxGainPercent, DisplayText::percent},
};
static_assert(std::size(figureRows) == ComparisonSummaryView::figureRows);

const char* const headers[] = {"", QT_TRANSLATE_NOOP("ComparisonSummaryView", "Your Portfolio"),
                               QT_TRANSLATE_NOOP("ComparisonSummaryView", "TSX Equivalent"),
                               QT_TRANSLATE_NOOP("ComparisonSummaryView", "Difference")};

// A positive difference means the portfolio did better; zero counts as not worse. A NaN is
// neither and shows as worse.
Role differenceTint(double difference) { return Tints::gainRole(difference); }

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(TextStyles::headline(label->font()));
    return label;
}
} // namespace

ComparisonSummaryView::ComparisonSummaryView(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    empty_ = new QLabel(tr("Add yearly data to see the comparison."), this);
    empty_->setObjectName(QStringLiteral("comparisonEmpty"));
    column->addWidget(empty_);

    grid_ = new QWidget(this);
    auto* stack = new QVBoxLayout(grid_);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(10);
    auto* title = new QLabel(tr("Summary"), grid_);
    title->setFont(TextStyles::title3(title->font()));
    stack->addWidget(title);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(8);
    for (int c = 0; c < ColumnCount; ++c)
        grid->addWidget(boldLabel(tr(headers[c]), grid_), 0, c, c == Title ? Qt::AlignLeft : Qt::AlignRight);
    auto* divider = new QFrame(grid_);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    grid->addWidget(divider, 1, 0, 1, ColumnCount);
    for (int r = 0; r < figureRows; ++r)
        for (int c = 0; c < ColumnCount; ++c) {
            auto* label = new QLabel(c == Title ? tr(::figureRows[r].title) : QString(), grid_);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            if (c != Title)
                label->setFont(equalWidthDigitFont());
            grid->addWidget(label, r + 2, c, c == Title ? Qt::AlignLeft : Qt::AlignRight);
            cells_.push_back(label);
            tints_.push_back(c == Title ? Role::Secondary : Role::Primary);
        }
    grid->setColumnStretch(ColumnCount, 1); // the grid keeps its natural width, to the left
    grid->addItem(new QSpacerItem(0, 0), 0, ColumnCount);
    stack->addLayout(grid);
    column->addWidget(grid_);
    column->addStretch(1);

    setComparison(std::nullopt);
}

void ComparisonSummaryView::setComparison(const std::optional<TSXComparison>& comparison)
{
    empty_->setVisible(!comparison);
    grid_->setVisible(comparison.has_value());
    if (comparison) {
        for (int r = 0; r < figureRows; ++r) {
            const FigureRow& row = ::figureRows[r];
            const double portfolio = (*comparison).*row.portfolio;
            const double index = (*comparison).*row.index;
            const std::size_t at = std::size_t(r) * ColumnCount;
            cells_[at + Portfolio]->setText(row.format(portfolio));
            cells_[at + Index]->setText(row.format(index));
            cells_[at + Difference]->setText(row.format(portfolio - index));
            tints_[at + Difference] = differenceTint(portfolio - index);
        }
    }
    applyTints();
}

bool ComparisonSummaryView::showsComparison() const { return !grid_->isHidden(); }

QString ComparisonSummaryView::emptyText() const { return empty_->text(); }

ComparisonSummaryView::Cell ComparisonSummaryView::cell(int row, Column column) const
{
    const std::size_t at = std::size_t(row) * ColumnCount + std::size_t(column);
    return {cells_.at(at)->text(), tints_.at(at)};
}

void ComparisonSummaryView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        applyTints();
    QWidget::changeEvent(event);
}

void ComparisonSummaryView::applyTints()
{
    const auto paint = [this](QLabel* label, Role role) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, Tints::color(role, palette()));
        label->setPalette(colours);
    };
    paint(empty_, Role::Secondary);
    for (std::size_t i = 0; i < cells_.size(); ++i)
        paint(cells_[i], tints_[i]);
}
