#pragma once

#include "analytics/PortfolioStats.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

class BalanceChart;
class QChartView;
class QGraphicsLineItem;
class QLabel;

// The chart's read-out: a vertical guide line at one point and a tip beside it with the date,
// the balance, the investment-only value and the entry's note. The mouse picks the point
// nearest the pointer; while the chart view has the focus, Left and Right step one point,
// Home and End go to the ends and Escape hides it. Main thread only.
class ChartReadout : public QObject {
    Q_OBJECT
public:
    using NoteLookup = std::function<QString(const BalancePoint&)>;

    ChartReadout(QChartView& view, BalanceChart& chart);
    ~ChartReadout() override;

    // The points drawn, ascending by date; the read-out hides.
    void setPoints(std::vector<BalancePoint> points);
    void setNoteLookup(NoteLookup lookup) { notes_ = std::move(lookup); }

    // Shows the read-out at point `index` (clamped); nothing without points.
    void showAt(int index);
    void hide();
    std::optional<int> shownIndex() const { return shown_; }
    QString text() const;

    // The tip's lines: the day, "Balance: $…", "Investment-only: $…", then the note if any.
    static QString readoutText(const BalancePoint& point, const QString& note);
    // The index of the point whose date is nearest `msecs` (points ascending by date).
    static int nearest(const std::vector<BalancePoint>& points, double msecs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QChartView& view_;
    BalanceChart& chart_;
    std::vector<BalancePoint> points_;
    NoteLookup notes_;
    std::optional<int> shown_;
    QGraphicsLineItem* guide_ = nullptr;
    QPointer<QLabel> tip_;
};
