#include "views/dashboard/BalanceChartView.h"

#include "views/dashboard/BalanceChart.h"
#include "views/dashboard/BalanceChartData.h"
#include "views/dashboard/ChartReadout.h"
#include "views/dashboard/ChartTableSheet.h"
#include "views/kit/EmptyStateView.h"
#include "views/kit/ModalOverlay.h"
#include "views/kit/SegmentedPicker.h"
#include "views/kit/SwitchToggle.h"
#include "views/kit/TextStyles.h"

#include <QChartView>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace {
// The picker shows each window's raw value ("1M" ... "All") in the user's words; the raw
// values themselves stay as they are in the settings.
[[maybe_unused]] constexpr const char* rangeWords[] = {
    QT_TRANSLATE_NOOP("BalanceChartView", "1M"), QT_TRANSLATE_NOOP("BalanceChartView", "3M"),
    QT_TRANSLATE_NOOP("BalanceChartView", "6M"), QT_TRANSLATE_NOOP("BalanceChartView", "1Y"),
    QT_TRANSLATE_NOOP("BalanceChartView", "5Y"), QT_TRANSLATE_NOOP("BalanceChartView", "All")};

QStringList rangeLabels()
{
    QStringList labels;
    for (DateRange range : DateRange::allCases)
        labels << BalanceChartView::tr(std::string(range.rawValue()).c_str());
    return labels;
}

QLabel* makeTitle(QWidget* parent)
{
    auto* title = new QLabel(BalanceChartView::tr("Balance Over Time"), parent);
    title->setFont(TextStyles::title2(title->font()));
    return title;
}
} // namespace

BalanceChartView::BalanceChartView(QWidget* parent)
    : QWidget(parent), adjustedSwitch_(new SwitchToggle(tr("Adjusted"), this)),
      fitButton_(new QToolButton(this)), rangePicker_(new SegmentedPicker(rangeLabels(), tr("Range"), this)), body_(new QStackedWidget(this)),
      emptyState_(new EmptyStateView(tr("No data in range"), &downtrendChartIcon, body_)),
      chart_(new BalanceChart), chartView_(new QChartView(chart_, body_)),
      readout_(new ChartReadout(*chartView_, *chart_)), tableOverlay_(new ModalOverlay(this))
{
    adjustedSwitch_->setObjectName(QStringLiteral("adjustedSwitch"));
    adjustedSwitch_->setToolTip(tr("Show balance with cash flows removed (investment-only)"));
    fitButton_->setObjectName(QStringLiteral("fitButton"));
    fitButton_->setText(tr("Fit"));
    fitButton_->setCheckable(true);
    fitButton_->setToolTip(tr("Fit the value axis to the data (off: the axis starts at $0)"));
    fitButton_->setAccessibleName(tr("Fit value axis"));
    fitButton_->setAccessibleDescription(fitButton_->toolTip());
    rangePicker_->setObjectName(QStringLiteral("rangePicker"));
    rangePicker_->setCurrentIndex(int(std::size(DateRange::allCases)) - 1); // "All"
    emptyState_->setObjectName(QStringLiteral("emptyState"));
    chartView_->setObjectName(QStringLiteral("chartView"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setFrameShape(QFrame::NoFrame);
    chartView_->setMinimumSize(200, 160);
    chartView_->setFocusPolicy(Qt::StrongFocus); // arrow keys move the read-out
    chartView_->setAccessibleName(tr("Balance chart"));
    chartView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(chartView_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        connect(menu.addAction(tr("Show as Table")), &QAction::triggered, this, &BalanceChartView::showAsTable);
        menu.exec(chartView_->mapToGlobal(at));
    });

    auto* header = new QHBoxLayout;
    header->addWidget(makeTitle(this), 0, Qt::AlignVCenter);
    header->addStretch(1);
    header->addWidget(fitButton_, 0, Qt::AlignVCenter);
    header->addSpacing(12);
    header->addWidget(adjustedSwitch_, 0, Qt::AlignVCenter);

    body_->addWidget(emptyState_);
    body_->addWidget(chartView_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addLayout(header);
    column->addWidget(rangePicker_, 0, Qt::AlignLeft);
    column->addWidget(body_, 1);

    connect(adjustedSwitch_, &QCheckBox::toggled, this, [this](bool on) {
        showAdjusted_ = on;
        redraw();
    });
    connect(fitButton_, &QToolButton::toggled, this, [this](bool fitted) {
        chart_->setFitsValues(fitted);
        redraw();
    });
    connect(rangePicker_, &SegmentedPicker::currentIndexChanged, this, [this](int index) {
        range_ = DateRange::allCases.at(std::size_t(index));
        redraw();
        Q_EMIT rangeChanged(range_);
    });

    applyPalette();
    redraw();
}

BalanceChartView::~BalanceChartView() = default;

void BalanceChartView::setPoints(std::vector<BalancePoint> points)
{
    points_ = std::move(points);
    redraw();
}

void BalanceChartView::setNoteLookup(std::function<QString(const BalancePoint&)> lookup)
{
    notes_ = lookup;
    readout_->setNoteLookup(std::move(lookup));
}

void BalanceChartView::showAsTable()
{
    tableOverlay_->open(new ChartTableSheet(filtered(), notes_, [this] { tableOverlay_->close(); }));
}

bool BalanceChartView::fitsValues() const { return chart_->fitsValues(); }

void BalanceChartView::setRange(DateRange range)
{
    const auto& cases = DateRange::allCases;
    const auto found = std::find(cases.begin(), cases.end(), range);
    if (found != cases.end() && range != range_)
        rangePicker_->setCurrentIndex(int(found - cases.begin()));
}

void BalanceChartView::setShowsAdjusted(bool shown) { adjustedSwitch_->setChecked(shown); }

void BalanceChartView::setFitsValues(bool fitted) { fitButton_->setChecked(fitted); }

void BalanceChartView::setClock(Clock clock)
{
    clock_ = std::move(clock);
    redraw();
}

std::vector<BalancePoint> BalanceChartView::filtered() const
{
    return BalanceChartData::filtered(points_, range_, clock_());
}

void BalanceChartView::redraw()
{
    const std::vector<BalancePoint> shown = filtered();
    readout_->setPoints(shown);
    if (shown.empty()) {
        // With no entries at all, "in range" would suggest picking another window helps.
        emptyState_->setTitle(points_.empty() ? tr("No entries yet") : tr("No data in range"));
        body_->setCurrentWidget(emptyState_);
        chart_->setPoints({}, showAdjusted_);
        return;
    }
    chart_->setPoints(shown, showAdjusted_);
    body_->setCurrentWidget(chartView_);
}

void BalanceChartView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        applyPalette();
    QWidget::changeEvent(event);
}

void BalanceChartView::applyPalette()
{
    chart_->applyPalette(palette());
    chartView_->setBackgroundBrush(palette().color(QPalette::Window));
}
