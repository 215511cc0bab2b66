#pragma once

#include "analytics/DateRange.h"
#include "analytics/PortfolioStats.h"
#include "views/kit/Clock.h"

#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class BalanceChart;
class ChartReadout;
class ModalOverlay;
class EmptyStateView;
class QChartView;
class QStackedWidget;
class QToolButton;
class SegmentedPicker;
class SwitchToggle;

// The balance over time, with the investment-only curve and the range picker. The window
// ("All" at first), the "Adjusted" switch (off) and the "Fit" toggle of the value axis (off:
// from $0) start as given here; the window memory sets them as they were left.
class BalanceChartView : public QWidget {
    Q_OBJECT
public:
    explicit BalanceChartView(QWidget* parent = nullptr);
    ~BalanceChartView() override;

    // The whole series (ascending by date); the view applies its own window.
    void setPoints(std::vector<BalancePoint> points);
    // Hands the series back (the view shows none until the next setPoints), so that a caller
    // can edit a few points of a long series and set it again without a copy.
    std::vector<BalancePoint> takePoints() { return std::exchange(points_, {}); }
    const std::vector<BalancePoint>& points() const { return points_; }
    // The source of the current instant for the window start (the system clock at first).
    void setClock(Clock clock);

    DateRange range() const { return range_; }
    bool showsAdjusted() const { return showAdjusted_; }
    bool fitsValues() const;
    // As if picked by the user (the window memory restores them with these).
    void setRange(DateRange range);
    void setShowsAdjusted(bool shown);
    void setFitsValues(bool fitted);
    BalanceChart* chart() const { return chart_; }
    QChartView* chartView() const { return chartView_; }
    ChartReadout* readout() const { return readout_; }

    // Where the read-out and the table find an entry's note (none at first).
    void setNoteLookup(std::function<QString(const BalancePoint&)> lookup);
    // The chart's accessible alternative: the points drawn, as a table over the chart.
    void showAsTable();

Q_SIGNALS:
    // The user picked another window.
    void rangeChanged(DateRange range);

protected:
    void changeEvent(QEvent* event) override;

private:
    // The points to draw, recomputed at every read (the window moves with the clock).
    std::vector<BalancePoint> filtered() const;
    void redraw();
    void applyPalette();

    std::vector<BalancePoint> points_;
    DateRange range_ = DateRange::all;
    bool showAdjusted_ = false;
    Clock clock_ = systemNow;

    SwitchToggle* adjustedSwitch_;
    QToolButton* fitButton_;
    SegmentedPicker* rangePicker_;
    QStackedWidget* body_;
    EmptyStateView* emptyState_;
    BalanceChart* chart_;
    QChartView* chartView_;
    ChartReadout* readout_;
    ModalOverlay* tableOverlay_;
    std::function<QString(const BalancePoint&)> notes_;
};
