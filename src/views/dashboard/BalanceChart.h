#pragma once

#include "analytics/PortfolioStats.h"

#include <QChart>

#include <vector>

class CurrencyAxis;
class QAreaSeries;
class QCategoryAxis;
class QLineSeries;

// The balance chart's drawing: a blue line over a blue gradient area, and, when asked for, the
// orange dashed investment-only line; a time axis marked on calendar boundaries (DateTicks)
// and a currency axis, both with grid lines; a legend naming the lines; point markers while
// fewer than markerLimit points are drawn (so a single entry shows). Points whose value is not finite are left out of the line they
// belong to (they cannot be placed).
class BalanceChart : public QChart {
    Q_OBJECT
public:
    static constexpr int markerLimit = 60;

    BalanceChart();

    // Replaces what is drawn; `points` ascending by date, one per day.
    void setPoints(const std::vector<BalancePoint>& points, bool showAdjusted);
    void applyPalette(const QPalette& palette);
    // Fitted: the value axis covers only the data; otherwise it starts at $0 (the default).
    // Takes effect at the next setPoints.
    void setFitsValues(bool fitted) { fitsValues_ = fitted; }
    bool fitsValues() const { return fitsValues_; }

    QLineSeries* balanceLine() const { return balanceLine_; }
    QAreaSeries* balanceArea() const { return area_; }
    QLineSeries* adjustedLine() const { return adjustedLine_; }
    QCategoryAxis* timeAxis() const { return timeAxis_; }
    CurrencyAxis* valueAxis() const { return valueAxis_; }

private:
    void showAdjustedLine(bool show);
    void hideAreaMarker();
    // Hands the lines to the series, reduced to what the plot area's width can show.
    void drawLines();
    void fitAxes(const std::vector<BalancePoint>& points, bool showAdjusted);

    QList<QPointF> balance_;  // every point of the window, before reduction
    QList<QPointF> adjusted_; // empty while the investment-only line is hidden
    int drawnColumns_ = 0;
    bool fitsValues_ = false;

    QLineSeries* balanceLine_;
    QLineSeries* areaTop_;
    QLineSeries* areaBaseline_;
    QAreaSeries* area_;
    QLineSeries* adjustedLine_;
    QCategoryAxis* timeAxis_;
    CurrencyAxis* valueAxis_;
};
