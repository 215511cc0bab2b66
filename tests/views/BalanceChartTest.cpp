// The dashboard's balance chart: the points it draws (one per local day, inside the window),
// the reduction of long lines to the pixels, the value axis ticks, and the view.
#include "views/dashboard/BalanceChartView.h"

#include "DashboardTestSupport.h"
#include "views/dashboard/BalanceChart.h"
#include "views/dashboard/BalanceChartData.h"
#include "views/dashboard/CurrencyAxis.h"
#include "views/kit/EmptyStateView.h"
#include "views/dashboard/PolylineReduction.h"
#include "views/kit/Tints.h"

#include <QCheckBox>
#include <QLineSeries>
#include <QStackedWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

BalancePoint point(Instant date, double balance) { return BalancePoint{Uuid::random(), date, balance, 0}; }

std::vector<double> balancesOf(const std::vector<BalancePoint>& points)
{
    std::vector<double> balances;
    for (const BalancePoint& p : points)
        balances.push_back(p.balance);
    return balances;
}

// Local times of 2025 (month, day, hour, minute) in the zone: out of order, two at one instant
// (the later in the list ends its day), and days a clock change shortens or lengthens.
TEST(CollapseByDay, KeepsTheLastPointOfEachLocalDayInEveryZone)
{
    struct Case {
        const char* zone;
        std::vector<std::array<int, 4>> times;
        std::vector<double> expected; // the balances kept: the point's place in `times`, from 1
    };
    const std::vector<Case> cases{
        {"America/Toronto", {{3, 6, 8, 0}, {3, 5, 9, 0}, {3, 5, 17, 0}, {3, 5, 12, 0}, {3, 5, 17, 0}}, {5, 1}},
        // The 23-hour day of 9 March in Toronto is still one day, from its first to its last minute.
        {"America/Toronto", {{3, 9, 0, 30}, {3, 9, 23, 30}, {3, 10, 0, 30}}, {2, 3}},
        {"Asia/Tokyo", {{3, 5, 8, 0}, {3, 5, 23, 59}, {3, 6, 0, 0}}, {2, 3}},
        {"Europe/Berlin", {{3, 30, 0, 30}, {3, 30, 3, 30}, {3, 31, 0, 0}}, {2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zone);
        ScopedZone zone(c.zone);
        std::vector<BalancePoint> points;
        for (const auto& [month, day, hour, minute] : c.times)
            points.push_back(point(localTime(2025, month, day, hour, minute), double(points.size() + 1)));
        const auto days = BalanceChartData::collapseByDay(points);
        EXPECT_EQ(balancesOf(days), c.expected);
        for (const BalancePoint& kept : days) // whole, not moved to midnight
            EXPECT_EQ(std::pair(kept.id, kept.date), std::pair(points[std::size_t(kept.balance) - 1].id, points[std::size_t(kept.balance) - 1].date));
    }
}

// The window's start is inclusive, it has no upper bound, and a list out of order anywhere
// (before the window, at its start or inside it) still gives the window's latest point of each day.
TEST(Filtered, WindowAndOrder)
{
    const Instant now = localTime(2025, 3, 31, 10);
    const Instant start = localTime(2025, 2, 28, 10); // 31 March minus one month
    const std::vector<BalancePoint> ordered{point(localTime(2025, 1, 5), 1), point(start - std::chrono::milliseconds(1), 2), point(start, 3),
                                            point(localTime(2025, 3, 2, 9), 4), point(localTime(2025, 3, 2, 17), 5),
                                            point(localTime(2025, 4, 2), 6)}; // after now: still drawn
    EXPECT_EQ(balancesOf(BalanceChartData::filtered(ordered, DateRange::all, now)), (std::vector<double>{1, 3, 5, 6}));
    for (const auto& [a, b] : {std::pair{0, 0}, std::pair{0, 1}, std::pair{1, 2}, std::pair{2, 3}, std::pair{3, 4}, std::pair{4, 5}}) {
        std::vector<BalancePoint> swapped = ordered;
        std::swap(swapped[std::size_t(a)], swapped[std::size_t(b)]);
        EXPECT_EQ(balancesOf(BalanceChartData::filtered(swapped, DateRange::month1, now)), (std::vector<double>{3, 5, 6})) << a << b;
    }
}

// A noisy line of `n` points over x = 0 .. n-1.
QList<QPointF> noisyLine(int n)
{
    QList<QPointF> line;
    for (int i = 0; i < n; ++i)
        line.append(QPointF(i, std::sin(i * 0.37) * 100 + (i % 7) * 3));
    return line;
}

// The y values of the points of `line` in column `column` (100 x units wide), in order.
QList<double> column(const QList<QPointF>& line, int column)
{
    QList<double> ys;
    for (const QPointF& p : line)
        if (int(p.x()) / 100 == column)
            ys.append(p.y());
    return ys;
}

// Short lines come back unchanged; the reduction keeps every column's ends and vertical
// extent, the thinning the first point and each column's last.
TEST(PolylineReduction, EveryColumnKeepsItsEnds)
{
    const QList<QPointF> shortLine = noisyLine(40);
    EXPECT_EQ(reducedForColumns(shortLine, 10), shortLine);
    EXPECT_EQ(thinnedForColumns(shortLine, 40), shortLine);
    const QList<QPointF> line = noisyLine(10'000);
    const QList<QPointF> reduced = reducedForColumns(line, 100); // 100 points per column
    ASSERT_LE(reduced.size(), 4 * 100);
    EXPECT_TRUE(std::is_sorted(reduced.begin(), reduced.end(), [](auto& a, auto& b) { return a.x() < b.x(); }));
    for (int c = 0; c < 100; ++c) {
        const QList<double> all = column(line, c);
        const QList<double> kept = column(reduced, c);
        ASSERT_FALSE(kept.isEmpty()) << c;
        EXPECT_EQ(*std::min_element(kept.begin(), kept.end()), *std::min_element(all.begin(), all.end())) << c;
        EXPECT_EQ(*std::max_element(kept.begin(), kept.end()), *std::max_element(all.begin(), all.end())) << c;
        EXPECT_EQ(std::pair(kept.front(), kept.back()), std::pair(all.front(), all.back())) << c;
    }
    const QList<QPointF> thinned = thinnedForColumns(line, 100);
    ASSERT_EQ(thinned.size(), 101);
    EXPECT_EQ(thinned.front(), line.front());
    for (int c = 0; c < 100; ++c)
        EXPECT_EQ(thinned.at(c + 1), line.at(c * 100 + 99)) << c;
}

// Whole distinct steps covering the data; near the largest double a nice tick past the data
// would be infinite: the ends stay finite.
TEST(NiceTicks, CoverTheDataWithWholeDistinctSteps)
{
    const double max = std::numeric_limits<double>::max();
    const std::vector<std::tuple<double, double, std::vector<double>>> cases{
        {0, 930, {0, 200, 400, 600, 800, 1000}},
        {0, 100'175, {0, 25'000, 50'000, 75'000, 100'000, 125'000}},
        {-120, 480, {-200, 0, 200, 400, 600}},
        {0, 3, {0, 1, 2, 3}},
        {500, 500, {499, 500, 501}}, // a flat series still gets whole-unit ticks around it
        {0, 0.95 * max, {}}, {-0.95 * max, 0, {}}, {max, max, {}}, // (any finite values)
    };
    for (const auto& [low, high, expected] : cases) {
        SCOPED_TRACE(std::to_string(low) + ".." + std::to_string(high));
        const ValueTicks ticks = niceTicks(low, high);
        if (!expected.empty()) {
            EXPECT_EQ(ticks.values, expected);
        }
        EXPECT_TRUE(std::all_of(ticks.values.begin(), ticks.values.end(), [](double v) { return std::isfinite(v); }));
        EXPECT_TRUE(std::isfinite(ticks.high));
        EXPECT_LE(ticks.low, low);
        EXPECT_GE(ticks.high, high);
    }
}

// The view over the series of `inputs`, with the clock at 31 March 2025.
struct Chart {
    BalanceChartView view;

    explicit Chart(const std::vector<StatsInput>& inputs)
    {
        view.setClock([] { return localTime(2025, 3, 31, 10); });
        view.setPoints(PortfolioStats::series(inputs));
    }
    bool showsEmptyState() const { return view.findChild<QStackedWidget*>()->currentWidget() == view.findChild<EmptyStateView*>(); }
    void chooseRange(const char* label)
    {
        for (QToolButton* button : view.findChildren<QToolButton*>())
            if (button->text() == QString::fromUtf8(label))
                button->click();
    }
    void clickAdjusted() { view.findChild<QCheckBox*>(QStringLiteral("adjustedSwitch"))->click(); }
    QList<QPointF> balanceLine() const { return view.chart()->balanceLine()->points(); }
    QList<QPointF> adjustedLine() const { return view.chart()->adjustedLine()->points(); }
};

double x(Instant t) { return double(millisecondsOf(t)); }

TEST(BalanceChartView, EmptyStateFollowsTheWindow)
{
    Chart f({input(localTime(2024, 1, 10), 100), input(localTime(2024, 6, 10), 200)});
    EXPECT_FALSE(f.showsEmptyState());
    f.chooseRange("1M");
    EXPECT_TRUE(f.showsEmptyState());
    EXPECT_EQ(f.view.findChild<EmptyStateView*>()->title(), QStringLiteral("No data in range"));
    f.chooseRange("1Y"); // the window's announcement reaches the figures: see the application's tests
    EXPECT_FALSE(f.showsEmptyState());
    EXPECT_EQ(f.balanceLine().size(), 1);
    f.view.setPoints({});
    EXPECT_TRUE(f.showsEmptyState());
    EXPECT_EQ(f.view.findChild<EmptyStateView*>()->title(), QStringLiteral("No entries yet"));
}

// The dashed line comes and goes alone; inside a window it still removes every cash flow so far.
TEST(BalanceChartView, AdjustedLine)
{
    Chart f({input(localTime(2024, 1, 1), 1000, 1000), input(localTime(2024, 6, 1), 1500, 400),
             input(localTime(2025, 3, 10), 1700, 0), input(localTime(2025, 3, 20), 1800, -100)});
    BalanceChart* chart = f.view.chart();
    const QList<QPointF> line = f.balanceLine();
    for (const bool shown : {true, false, true}) {
        f.clickAdjusted();
        EXPECT_EQ(f.view.showsAdjusted(), shown);
        EXPECT_EQ(chart->series().size(), shown ? 3 : 2);
        EXPECT_EQ(chart->series().contains(chart->adjustedLine()), shown);
        EXPECT_EQ(f.balanceLine(), line);
    }
    f.chooseRange("1M");
    EXPECT_EQ(f.adjustedLine(), (QList<QPointF>{{x(localTime(2025, 3, 10)), 300}, {x(localTime(2025, 3, 20)), 500}}));
    EXPECT_EQ(f.balanceLine(), (QList<QPointF>{{x(localTime(2025, 3, 10)), 1700}, {x(localTime(2025, 3, 20)), 1800}}));
}

TEST(BalanceChartView, PointsThatCannotBePlacedAreLeftOutOfTheirLineOnly)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Chart f({input(localTime(2024, 1, 1), 100, 100), input(localTime(2024, 2, 1), nan, 0),
             input(localTime(2024, 3, 1), 300, nan)});
    f.clickAdjusted();
    EXPECT_EQ(f.balanceLine(), (QList<QPointF>{{x(localTime(2024, 1, 1)), 100}, {x(localTime(2024, 3, 1)), 300}}));
    // The NaN balance takes out its own adjusted value, the NaN cash flow every later one.
    EXPECT_EQ(f.adjustedLine(), (QList<QPointF>{{x(localTime(2024, 1, 1)), 0}}));
    const ValueTicks& ticks = f.view.chart()->valueAxis()->ticks();
    EXPECT_EQ(ticks.low, 0);
    EXPECT_GE(ticks.high, 300);
}

TEST(BalanceChartView, FollowsThePalette)
{
    Chart f({input(localTime(2024, 1, 1), 100)});
    QPalette dark = f.view.palette();
    dark.setColor(QPalette::Window, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::WindowText, Qt::white);
    f.view.setPalette(dark);
    EXPECT_EQ(f.view.chart()->backgroundBrush().color(), QColor(0x1E, 0x1E, 0x1E));
    EXPECT_EQ(f.view.chart()->balanceLine()->pen().color(), Tints::blue(dark));
    EXPECT_NE(Tints::blue(dark), Tints::blue(QPalette(Qt::white)));
}

} // namespace
