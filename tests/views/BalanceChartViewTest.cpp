#include "views/BalanceChartView.h"

#include "DashboardTestSupport.h"
#include "views/BalanceChart.h"
#include "views/CurrencyAxis.h"
#include "views/EmptyStateView.h"
#include "views/Tints.h"

#include <QCheckBox>
#include <QLineSeries>
#include <QStackedWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const Instant fixedNow = localTime(2025, 3, 31, 10);

struct Fixture {
    BalanceChartView view;

    explicit Fixture(const std::vector<StatsInput>& inputs)
    {
        view.setClock([] { return fixedNow; });
        view.setPoints(PortfolioStats::series(inputs));
    }

    bool showsEmptyState() const
    {
        return view.findChild<QStackedWidget*>()->currentWidget() == view.findChild<EmptyStateView*>();
    }
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
} // namespace

TEST(BalanceChartView, EmptyStateFollowsTheWindow)
{
    Fixture f({input(localTime(2024, 1, 10), 100), input(localTime(2024, 6, 10), 200)});
    std::vector<DateRange> announced;
    QObject::connect(&f.view, &BalanceChartView::rangeChanged, [&announced](DateRange range) { announced.push_back(range); });
    EXPECT_FALSE(f.showsEmptyState());
    f.chooseRange("1M");
    EXPECT_EQ(f.view.range(), DateRange::month1);
    EXPECT_TRUE(f.showsEmptyState());
    EXPECT_EQ(f.view.findChild<EmptyStateView*>()->title(), QStringLiteral("No data in range"));
    f.chooseRange("1Y");
    EXPECT_EQ(announced, (std::vector<DateRange>{DateRange::month1, DateRange::year1}));
    EXPECT_FALSE(f.showsEmptyState());
    EXPECT_EQ(f.balanceLine().size(), 1);
    f.view.setPoints({});
    EXPECT_TRUE(f.showsEmptyState());
}

// The dashed line comes and goes alone; inside a window it still removes every cash flow so far.
TEST(BalanceChartView, AdjustedLine)
{
    Fixture f({input(localTime(2024, 1, 1), 1000, 1000), input(localTime(2024, 6, 1), 1500, 400),
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

TEST(NiceTicks, CoverTheDataWithWholeDistinctSteps)
{
    struct Case {
        double low, high;
        std::vector<double> expected;
    };
    const std::vector<Case> cases{
        {0, 930, {0, 200, 400, 600, 800, 1000}},
        {0, 100'175, {0, 25'000, 50'000, 75'000, 100'000, 125'000}},
        {-120, 480, {-200, 0, 200, 400, 600}},
        {0, 3, {0, 1, 2, 3}},
        {500, 500, {499, 500, 501}}, // a flat series still gets whole-unit ticks around it
        {0, 1'234'567, {0, 250'000, 500'000, 750'000, 1'000'000, 1'250'000}},
    };
    for (const Case& c : cases) {
        const ValueTicks ticks = niceTicks(c.low, c.high);
        EXPECT_EQ(ticks.values, c.expected) << c.low << ".." << c.high;
        EXPECT_LE(ticks.low, c.low);
        EXPECT_GE(ticks.high, c.high);
    }
    // Near the largest double a nice tick past the data would be infinite: the ends stay finite.
    const double max = std::numeric_limits<double>::max();
    for (const auto& [low, high] : {std::pair(0.0, 0.95 * max), std::pair(-0.95 * max, 0.0), std::pair(max, max)}) {
        const ValueTicks ticks = niceTicks(low, high);
        EXPECT_TRUE(std::all_of(ticks.values.begin(), ticks.values.end(), [](double v) { return std::isfinite(v); })) << low << ".." << high;
        EXPECT_TRUE(std::isfinite(ticks.high));
        EXPECT_LE(ticks.low, low);
        EXPECT_GE(ticks.high, high);
    }
}

TEST(BalanceChartView, PointsThatCannotBePlacedAreLeftOutOfTheirLineOnly)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Fixture f({input(localTime(2024, 1, 1), 100, 100), input(localTime(2024, 2, 1), nan, 0),
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
    Fixture f({input(localTime(2024, 1, 1), 100)});
    QPalette dark = f.view.palette();
    dark.setColor(QPalette::Window, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::WindowText, Qt::white);
    f.view.setPalette(dark);
    BalanceChart* chart = f.view.chart();
    EXPECT_EQ(chart->backgroundBrush().color(), QColor(0x1E, 0x1E, 0x1E));
    EXPECT_EQ(chart->balanceLine()->pen().color(), Tints::blue(dark));
    EXPECT_NE(Tints::blue(dark), Tints::blue(QPalette(Qt::white)));
}
