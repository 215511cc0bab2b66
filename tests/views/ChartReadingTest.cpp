// Reading the balance chart: the read-out's values for a known series and its keys, the time
// axis' calendar marks for every window, the legend, point markers and the value axis' fit.
#include "views/dashboard/BalanceChartView.h"

#include "views/dashboard/BalanceChart.h"
#include "views/dashboard/ChartReadout.h"
#include "views/dashboard/CurrencyAxis.h"
#include "views/dashboard/DateTicks.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QDateTime>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QSet>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

Instant at(int year, int month, int day)
{
    return instantFromMilliseconds(QDate(year, month, day).startOfDay().addSecs(12 * 3600).toMSecsSinceEpoch());
}

BalancePoint point(Instant date, double balance, double adjusted)
{
    return BalancePoint{Uuid::random(), date, balance, adjusted};
}

TEST(ChartReadout, SaysTheDateBothValuesAndTheNoteAndFollowsTheKeys)
{
    const std::vector<BalancePoint> points{point(at(2026, 1, 5), 280000, 275000), point(at(2026, 2, 2), 301234.5, 290000),
                                           point(at(2026, 3, 2), 399999.99, 350000)};
    BalanceChartView view;
    view.setNoteLookup([&](const BalancePoint& p) { return p.id == points[1].id ? QStringLiteral("bonus") : QString(); });
    view.setClock([] { return at(2026, 3, 3); });
    view.setPoints(points);
    view.resize(800, 500);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    ChartReadout* readout = view.readout();
    readout->showAt(1);
    EXPECT_EQ(readout->text(), QStringLiteral("Feb 2, 2026\nBalance: $301,234.50\nInvestment-only: $290,000.00\nbonus"));
    view.chartView()->setFocus();
    QTest::keyClick(view.chartView(), Qt::Key_Right);
    EXPECT_EQ(readout->text(), QStringLiteral("Mar 2, 2026\nBalance: $399,999.99\nInvestment-only: $350,000.00"));
    QTest::keyClick(view.chartView(), Qt::Key_Right); // stays on the last point
    EXPECT_EQ(readout->shownIndex(), 2);
    QTest::keyClick(view.chartView(), Qt::Key_Home);
    EXPECT_EQ(readout->shownIndex(), 0);
    QTest::keyClick(view.chartView(), Qt::Key_Escape);
    EXPECT_FALSE(readout->shownIndex().has_value());

    // The pointer picks the nearest point by date.
    const double jan5 = double(millisecondsOf(points[0].date));
    const double feb2 = double(millisecondsOf(points[1].date));
    EXPECT_EQ(ChartReadout::nearest(points, jan5 - 1e9), 0);
    EXPECT_EQ(ChartReadout::nearest(points, jan5 + (feb2 - jan5) * 0.4), 0);
    EXPECT_EQ(ChartReadout::nearest(points, jan5 + (feb2 - jan5) * 0.6), 1);
    EXPECT_EQ(ChartReadout::nearest(points, 1e15), 2);
}

// Each window's marks: between two and seven, on boundaries of the expected unit, no label twice.
TEST(DateTicks, SuitEveryWindowAndNeverRepeatALabel)
{
    const QDateTime now(QDate(2026, 12, 6), QTime(15, 0));
    struct Case {
        QDateTime start;
        const char* example; // a label of the expected unit
    } cases[] = {
        {now.addMonths(-1), "Nov 9"},  {now.addMonths(-3), "Sep 21"}, {now.addMonths(-6), "Jul 2026"},
        {now.addYears(-1), "Mar 2026"}, {now.addYears(-5), "2022"},   {QDateTime(QDate(1990, 3, 14), QTime(9, 0)), "2000"},
        {now.addDays(-1), "Dec 6"},
    };
    for (const Case& c : cases) {
        const auto ticks = DateTicks::ticks(c.start.toMSecsSinceEpoch(), now.toMSecsSinceEpoch());
        QStringList labels;
        for (const auto& tick : ticks) {
            labels << tick.label;
            EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(tick.msecs).time(), QTime(0, 0)); // local midnight
        }
        SCOPED_TRACE(labels.join(QStringLiteral(", ")).toStdString());
        EXPECT_GE(labels.size(), 1);
        EXPECT_LE(labels.size(), 7);
        EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
        EXPECT_TRUE(labels.contains(QString::fromLatin1(c.example)));
    }
}

TEST(BalanceChart, NamesBothLinesMarksFewPointsAndFitsTheValueAxisOnRequest)
{
    BalanceChart chart;
    const std::vector<BalancePoint> one{point(at(2026, 5, 1), 320000, 300000)};
    chart.setPoints(one, true);
    QStringList shownNames;
    for (QLegendMarker* marker : chart.legend()->markers())
        if (marker->isVisible())
            shownNames << marker->label();
    EXPECT_EQ(shownNames, (QStringList{QStringLiteral("Balance"), QStringLiteral("Adjusted (investment-only)")}));
    EXPECT_TRUE(chart.balanceLine()->pointsVisible()); // a single entry still shows
    EXPECT_EQ(chart.balanceLine()->count(), 1);
    EXPECT_EQ(chart.valueAxis()->ticks().low, 0);

    chart.setFitsValues(true);
    std::vector<BalancePoint> many;
    for (int day = 0; day < 90; ++day)
        many.push_back(point(instantFromMilliseconds(millisecondsOf(at(2026, 1, 1)) + day * 86'400'000LL), 280000 + day * 1000, 280000));
    chart.setPoints(many, false);
    EXPECT_FALSE(chart.balanceLine()->pointsVisible());
    EXPECT_GE(chart.valueAxis()->ticks().low, 200000); // fitted: far from $0
    EXPECT_LE(chart.valueAxis()->ticks().low, 280000);
}

} // namespace
