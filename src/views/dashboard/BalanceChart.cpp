#include "views/dashboard/BalanceChart.h"

#include "views/dashboard/CurrencyAxis.h"
#include "views/dashboard/DateTicks.h"
#include "views/dashboard/PolylineReduction.h"
#include "views/kit/Tints.h"

#include <QAreaSeries>
#include <QDateTime>
#include <QCategoryAxis>
#include <QLegend>
#include <QLegendMarker>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLinearGradient>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double dayMs = 86'400'000.0;

double xOf(const BalancePoint& point) { return double(millisecondsOf(point.date)); }

// Whole lists go to the series in one call: appending point by point to a series that is
// attached to a chart re-lays the chart out each time (quadratic in the number of points).
template <typename Value>
QList<QPointF> polyline(const std::vector<BalancePoint>& points, Value value)
{
    QList<QPointF> line;
    line.reserve(qsizetype(points.size()));
    for (const BalancePoint& point : points)
        if (const double y = value(point); std::isfinite(y))
            line.append(QPointF(xOf(point), y));
    return line;
}

QPen linePen(const QColor& color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QPen dashedPen(const QColor& color)
{
    QPen pen(color, 1.5, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({4 / 1.5, 3 / 1.5}); // dash lengths are in units of the pen width
    return pen;
}

QBrush areaGradient(const QColor& blue)
{
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode); // top to bottom of the area
    QColor top = blue;
    top.setAlphaF(0.22f);
    QColor bottom = blue;
    bottom.setAlphaF(0.02f);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return QBrush(gradient);
}
} // namespace

BalanceChart::BalanceChart()
    : balanceLine_(new QLineSeries(this)), areaTop_(new QLineSeries(this)), areaBaseline_(new QLineSeries(this)),
      area_(new QAreaSeries(areaTop_, areaBaseline_)), adjustedLine_(new QLineSeries(this)),
      timeAxis_(new QCategoryAxis(this)), valueAxis_(new CurrencyAxis(this))
{
    legend()->setAlignment(Qt::AlignTop);
    legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    setBackgroundRoundness(0);
    setMargins(QMargins(4, 8, 12, 4));
    layout()->setContentsMargins(0, 0, 0, 0);
    setPlotAreaBackgroundVisible(false);

    balanceLine_->setName(tr("Balance"));
    area_->setName(tr("Balance"));
    adjustedLine_->setName(tr("Adjusted (investment-only)"));
    area_->setPen(Qt::NoPen);

    timeAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(timeAxis_), static_cast<QAbstractAxis*>(valueAxis_)}) {
        axis->setGridLineVisible(true);
        axis->setLineVisible(false);
    }
    addAxis(timeAxis_, Qt::AlignBottom);
    addAxis(valueAxis_, Qt::AlignLeft);

    connect(this, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        if (int(std::ceil(area.width())) != drawnColumns_)
            drawLines();
    });

    // Drawing order: the area below the lines.
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(area_), static_cast<QAbstractSeries*>(balanceLine_)}) {
        addSeries(series);
        series->attachAxis(timeAxis_);
        series->attachAxis(valueAxis_);
    }
    hideAreaMarker();
    for (QLineSeries* line : {balanceLine_, adjustedLine_})
        line->setMarkerSize(7);
}

void BalanceChart::hideAreaMarker()
{
    // The area is the balance line's fill: one legend entry for both.
    for (QLegendMarker* marker : legend()->markers(area_))
        marker->setVisible(false);
}

void BalanceChart::setPoints(const std::vector<BalancePoint>& points, bool showAdjusted)
{
    balance_ = polyline(points, [](const BalancePoint& p) { return p.balance; });
    adjusted_ = showAdjusted ? polyline(points, [](const BalancePoint& p) { return p.adjusted; }) : QList<QPointF>();
    const bool markers = points.size() < std::size_t(markerLimit);
    balanceLine_->setPointsVisible(markers);
    adjustedLine_->setPointsVisible(markers);
    showAdjustedLine(showAdjusted);
    // Every change of the axes' ranges re-lays out (and re-strokes) each line's outline; empty
    // lines make that free, so each line is laid out once, in the new ranges.
    for (QLineSeries* line : {areaBaseline_, areaTop_, balanceLine_, adjustedLine_})
        line->clear();
    fitAxes(points, showAdjusted);
    drawLines();
    layout()->activate();
}

void BalanceChart::drawLines()
{
    // Columns two pixels wide: the 2-pixel line covers that much anyway, and every point more
    // costs Qt Charts a stroked outline. Before the first layout the width is not known.
    const double width = plotArea().width();
    drawnColumns_ = width > 1 ? int(std::ceil(width)) : 0;
    const int columns = drawnColumns_ > 0 ? (drawnColumns_ + 1) / 2 : 1024;

    QList<QPointF> line = reducedForColumns(balance_, columns);
    QList<QPointF> baseline;
    if (!line.isEmpty())
    {
        // Fitted, the area fills down to the axis' lowest value instead of $0.
        const double floor = fitsValues_ ? valueAxis_->ticks().low : 0;
        baseline = {QPointF(line.first().x(), floor), QPointF(line.last().x(), floor)};
    }
    areaBaseline_->replace(baseline);
    areaTop_->replace(line);
    balanceLine_->replace(std::move(line));
    adjustedLine_->replace(thinnedForColumns(adjusted_, columns));
}

void BalanceChart::showAdjustedLine(bool show)
{
    const bool shown = series().contains(adjustedLine_);
    if (show == shown)
        return;
    if (show) {
        addSeries(adjustedLine_);
        adjustedLine_->attachAxis(timeAxis_);
        adjustedLine_->attachAxis(valueAxis_);
        hideAreaMarker();
    } else {
        removeSeries(adjustedLine_); // hands the series back: keep it owned by the chart
        adjustedLine_->setParent(this);
    }
}

void BalanceChart::fitAxes(const std::vector<BalancePoint>& points, bool showAdjusted)
{
    // From $0 the area fills down to zero, so zero is on the scale; fitted, only the data is.
    double low = fitsValues_ ? std::numeric_limits<double>::infinity() : 0;
    double high = fitsValues_ ? -std::numeric_limits<double>::infinity() : 0;
    const auto include = [&](double y) {
        if (std::isfinite(y)) {
            low = std::min(low, y);
            high = std::max(high, y);
        }
    };
    for (const BalancePoint& point : points) {
        include(point.balance);
        if (showAdjusted)
            include(point.adjusted);
    }
    if (low > high) // nothing finite to fit
        low = high = 0;
    valueAxis_->fitTo(low, high);

    double first = points.empty() ? 0 : xOf(points.front());
    double last = points.empty() ? dayMs : xOf(points.back());
    if (last - first < dayMs) { // a single day still gets a readable span around it
        first -= dayMs / 2;
        last += dayMs / 2;
    }
    for (const QString& label : timeAxis_->categoriesLabels())
        timeAxis_->remove(label);
    timeAxis_->setStartValue(first);
    for (const DateTicks::Tick& tick : DateTicks::ticks(qint64(first), qint64(last)))
        timeAxis_->append(tick.label, double(tick.msecs));
    timeAxis_->setRange(first, last);
}

void BalanceChart::applyPalette(const QPalette& palette)
{
    setBackgroundBrush(palette.color(QPalette::Window));
    setBackgroundPen(Qt::NoPen);

    const QColor blue = Tints::blue(palette);
    balanceLine_->setPen(linePen(blue, 2));
    area_->setBrush(areaGradient(blue));
    adjustedLine_->setPen(dashedPen(Tints::orange(palette)));

    legend()->setLabelColor(Tints::primaryText(palette));
    QFont labelFont = font();
    labelFont.setPointSizeF(std::max(labelFont.pointSizeF() - 1, 7.0));
    for (QAbstractAxis* axis : axes()) {
        axis->setLabelsBrush(Tints::secondaryText(palette));
        axis->setLabelsFont(labelFont);
        axis->setGridLineColor(Tints::gridLine(palette));
    }
}
