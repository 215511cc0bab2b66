// The dashboard's figures panel: each row shows its own figure in its own tint (the figures
// themselves are tested in the analytics), and the returns follow the chosen window.
#include "views/dashboard/StatsPanelView.h"

#include "DashboardTestSupport.h"
#include "views/dashboard/StatRow.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

// Every row as "label: value (tint)", in panel order.
std::vector<std::string> rows(const StatsPanelView& panel)
{
    static const char* const tints[] = {"primary", "secondary", "green", "red"};
    std::vector<std::string> shown;
    for (const StatRow* row : panel.findChildren<StatRow*>())
        shown.push_back((row->label() + QStringLiteral(": ") + row->value()).toStdString() + " (" + tints[int(row->tint())] + ")");
    return shown;
}
std::string returnsTitle(const StatsPanelView& panel)
{
    for (const QLabel* label : panel.findChildren<QLabel*>())
        if (label->text().startsWith(QStringLiteral("Returns")))
            return label->text().toStdString();
    return {};
}
} // namespace

TEST(StatsPanelView, EachRowShowsItsFigureAndOnlyTheReturnsFollowTheWindow)
{
    StatsPanelView panel;
    panel.setClock([] { return localTime(2025, 1, 10); });
    panel.setInputs({input(localTime(2024, 1, 1), 1000, 1000), input(localTime(2024, 4, 1), 1300, 200),
                     input(localTime(2024, 7, 15), 1000, -300), input(localTime(2024, 10, 15), 900),
                     input(localTime(2025, 1, 1), 1080)});
    const std::vector<std::string> all = rows(panel);
    EXPECT_EQ(all, (std::vector<std::string>{
                       "Maximum Balance: $1,300 (primary)",
                       "Avg Balance (1 Month): $1,080 (primary)",
                       "Avg Balance (3 Months): $990 (primary)",
                       "Avg Balance (6 Months): $993 (primary)",
                       "Avg Balance (1 Year): $1,070 (primary)",
                       "Total Deposits: $1,200 (green)",
                       "Total Withdrawals: -$300 (red)",
                       "Starting Balance: $1,000 (primary)",
                       "Net Cash Flows: -$100 (primary)",
                       "Current Value: $1,080 (primary)",
                       "Investment Gain (excl. cash flows): $180 (green)",
                       "Gain as % of Start + Cash Flows: 20% (green)",
                       "Time-Weighted Return: 18.8% (green)",
                       "Time-Weighted, per Year: 18.7% (green)",
                       "Money-Weighted (XIRR), per Year: 17.7% (green)",
                       "Modified Dietz Return: 17.8% (green)",
                       "Max Drawdown: -10% (red)",
                       "Current Drawdown: 0% (primary)",
                   }));
    EXPECT_EQ(returnsTitle(panel), "Returns, Jan 1, 2024 – Jan 1, 2025");
    const QString maxTip = panel.findChildren<StatRow*>()[all.size() - 2]->toolTip();
    EXPECT_TRUE(maxTip.endsWith(QStringLiteral(" From the peak of Apr 1, 2024 to the trough of Oct 15, 2024; recovered on Jan 1, 2025.")))
        << maxTip.toStdString();
    for (const StatRow* row : panel.findChildren<StatRow*>())
        EXPECT_FALSE(row->toolTip().isEmpty()) << row->label().toStdString();

    panel.setRange(DateRange::month1); // one entry inside: no return has a result
    const std::vector<std::string> month = rows(panel);
    ASSERT_EQ(month.size(), all.size());
    EXPECT_TRUE(std::equal(all.begin(), all.end() - 6, month.begin()));
    EXPECT_EQ(month.back(), "Current Drawdown: \u2014 (primary)");
    EXPECT_EQ(month[month.size() - 3], "Modified Dietz Return: \u2014 (primary)");
    EXPECT_EQ(returnsTitle(panel), "Returns, Jan 1, 2025 – Jan 1, 2025");

    panel.setClock([] { return localTime(2025, 6, 1); }); // no entry in the last month: no average
    EXPECT_EQ(rows(panel)[1], "Avg Balance (1 Month): \u2014 (primary)");
}

// Zero counts as a gain; not-a-number is no gain.
TEST(StatsPanelView, GainTints)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<std::vector<StatsInput>, const char*> cases[] = {
        {{}, "Investment Gain (excl. cash flows): $0 (green)"},
        {{input(localTime(2025, 3, 5), 1000, 0), input(localTime(2025, 3, 6), nan, 0)}, "(red)"},
    };
    for (const auto& [inputs, gain] : cases) {
        StatsPanelView panel;
        panel.setInputs(inputs);
        const std::vector<std::string> shown = rows(panel);
        EXPECT_TRUE(shown[10].ends_with(gain)) << shown[10];
        EXPECT_EQ(shown[10].substr(shown[10].rfind('(')), shown[11].substr(shown[11].rfind('('))) << shown[11];
    }
}
