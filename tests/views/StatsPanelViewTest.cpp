#include "views/StatsPanelView.h"

#include "DashboardTestSupport.h"
#include "views/StatRow.h"

#include <QFontDatabase>
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <limits>

namespace {
struct Shown {
    QString value;
    Tints::Role tint;
};

Shown rowOf(const StatsPanelView& panel, const QString& label)
{
    for (const StatRow* row : panel.findChildren<StatRow*>())
        if (row->label() == label)
            return {row->value(), row->tint()};
    ADD_FAILURE() << "no row " << label.toStdString();
    return {};
}

void expectRow(const StatsPanelView& panel, const char* label, const char* value, Tints::Role tint)
{
    const Shown shown = rowOf(panel, QString::fromUtf8(label));
    EXPECT_EQ(shown.value.toStdString(), value) << label;
    EXPECT_EQ(shown.tint, tint) << label;
}

using Tints::Role;
} // namespace

TEST(StatsPanelView, ShowsFifteenRowsInThreeSectionsInOrder)
{
    StatsPanelView panel;
    QStringList labels;
    for (const StatRow* row : panel.findChildren<StatRow*>())
        labels << row->label();
    EXPECT_EQ(labels, (QStringList{QStringLiteral("Maximum Balance"), QStringLiteral("Avg Balance (1 Month)"),
                                   QStringLiteral("Avg Balance (3 Months)"), QStringLiteral("Avg Balance (6 Months)"),
                                   QStringLiteral("Avg Balance (1 Year)"), QStringLiteral("Total Deposits"),
                                   QStringLiteral("Total Withdrawals"), QStringLiteral("Starting Balance"),
                                   QStringLiteral("Net Cash Flows"), QStringLiteral("Current Value"),
                                   QStringLiteral("Investment Gain (excl. cash flows)"),
                                   QStringLiteral("Gain as % of Start + Cash Flows"), QStringLiteral("Time-Weighted Return"),
                                   QStringLiteral("Money-Weighted Return (XIRR)"), QStringLiteral("Modified Dietz Return"),
                                   QStringLiteral("Annualised (Time-Weighted)"), QStringLiteral("Max Drawdown")}));
}

TEST(StatsPanelView, NoEntriesShowZeroesAndZeroGainCountsAsGain)
{
    StatsPanelView panel;
    panel.setInputs({});
    for (const char* label : {"Maximum Balance", "Avg Balance (1 Month)", "Avg Balance (1 Year)", "Starting Balance",
                              "Net Cash Flows", "Current Value"})
        expectRow(panel, label, "$0", Role::Primary);
    expectRow(panel, "Total Deposits", "$0", Role::Green);
    expectRow(panel, "Total Withdrawals", "$0", Role::Red);
    expectRow(panel, "Investment Gain (excl. cash flows)", "$0", Role::Green);
    expectRow(panel, "Gain as % of Start + Cash Flows", "0%", Role::Green);
}

TEST(StatsPanelView, WithdrawalsKeepTheirMinusSign)
{
    StatsPanelView panel;
    panel.setInputs({input(localTime(2025, 1, 1), 1000, 100), input(localTime(2025, 1, 2), 900, -40),
                     input(localTime(2025, 1, 3), 900, 0), input(localTime(2025, 1, 4), 890, -10)});
    expectRow(panel, "Total Deposits", "$100", Role::Green);
    expectRow(panel, "Total Withdrawals", "-$50", Role::Red);
    expectRow(panel, "Net Cash Flows", "$50", Role::Primary);
}

struct SummaryCase {
    const char* name;
    std::vector<StatsInput> inputs;
    const char* starting;
    const char* current;
    const char* gain;
    const char* percent;
    Role gainTint;
};

TEST(StatsPanelView, SummaryRowsAndGainTints)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<SummaryCase> cases{
        {"gain, cash flows on the first day",
         {input(localTime(2025, 3, 5, 9), 100, 100), input(localTime(2025, 3, 5, 17), 150, 100),
          input(localTime(2025, 3, 6), 400, 0)},
         "$150", "$400", "$50", "14.3%", Role::Green},
        {"loss", {input(localTime(2025, 3, 5), 1000, 1000)}, "$1,000", "$1,000", "-$1,000", "-50%", Role::Red},
        {"not a number is not a gain", {input(localTime(2025, 3, 5), 1000, 0), input(localTime(2025, 3, 6), nan, 0)},
         "$1,000", nullptr, nullptr, nullptr, Role::Red},
    };
    for (const SummaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        StatsPanelView panel;
        panel.setInputs(c.inputs);
        EXPECT_EQ(rowOf(panel, QStringLiteral("Starting Balance")).value.toStdString(), c.starting);
        const Shown current = rowOf(panel, QStringLiteral("Current Value"));
        const Shown gain = rowOf(panel, QStringLiteral("Investment Gain (excl. cash flows)"));
        const Shown percent = rowOf(panel, QStringLiteral("Gain as % of Start + Cash Flows"));
        if (c.current) {
            EXPECT_EQ(current.value.toStdString(), c.current);
            EXPECT_EQ(gain.value.toStdString(), c.gain);
            EXPECT_EQ(percent.value.toStdString(), c.percent);
        }
        EXPECT_EQ(gain.tint, c.gainTint);
        EXPECT_EQ(percent.tint, c.gainTint);
    }
}

TEST(StatsPanelView, AveragesCountEntriesInsideTheTrailingWindowInclusive)
{
    // 31 March 2025 10:00 in Toronto; 30 calendar days back crosses the DST change of 9 March.
    const Instant now = localTime(2025, 3, 31, 10);
    StatsPanelView panel;
    panel.setClock([now] { return now; });
    panel.setInputs({
        input(localTime(2024, 6, 1), 3001),        // inside 1 year only
        input(localTime(2024, 12, 1), 7000),       // inside 6 months and 1 year
        input(localTime(2025, 3, 1, 9, 59, 59), 1000), // a second before the 30-day window
        input(localTime(2025, 3, 1, 10), 100),     // exactly on its boundary: counts
        input(localTime(2025, 3, 20, 9), 200),     // three entries on one day weigh three times
        input(localTime(2025, 3, 20, 12), 300),
        input(localTime(2025, 3, 20, 15), 400),
        input(localTime(2025, 4, 1, 10), 500),     // after now: counts too
    });
    expectRow(panel, "Avg Balance (1 Month)", "$300", Role::Primary);    // 1500 / 5
    expectRow(panel, "Avg Balance (3 Months)", "$417", Role::Primary);   // 2500 / 6
    expectRow(panel, "Avg Balance (6 Months)", "$1,357", Role::Primary); // 9500 / 7
    expectRow(panel, "Avg Balance (1 Year)", "$1,563", Role::Primary);   // 12501 / 8
    expectRow(panel, "Maximum Balance", "$7,000", Role::Primary);
}

// The returns follow the window they are given, the other sections do not; a measure
// without a result shows a dash.
TEST(StatsPanelView, ReturnsOverTheChosenWindow)
{
    const Instant now = localTime(2025, 1, 10);
    StatsPanelView panel;
    panel.setClock([now] { return now; });
    panel.setInputs({input(localTime(2024, 1, 1), 1000, 1000), input(localTime(2024, 4, 1), 1300, 200),
                     input(localTime(2024, 7, 1), 1000, -300), input(localTime(2024, 10, 1), 900),
                     input(localTime(2025, 1, 1), 1080)});
    expectRow(panel, "Time-Weighted Return", "18.8%", Role::Green);
    expectRow(panel, "Money-Weighted Return (XIRR)", "17.9%", Role::Green);
    expectRow(panel, "Max Drawdown", "-10%", Role::Red);
    const auto rows = panel.findChildren<StatRow*>();
    EXPECT_EQ(rows.back()->toolTip(), QStringLiteral("From the peak of Apr 1, 2024 to the trough of Oct 1, 2024"));
    panel.setRange(DateRange::month1);
    expectRow(panel, "Modified Dietz Return", "—", Role::Primary);
    expectRow(panel, "Max Drawdown", "—", Role::Primary);
    expectRow(panel, "Starting Balance", "$1,000", Role::Primary);
}

TEST(StatsPanelView, TintsStayDistinctFromTheBackgroundInLightAndDarkPalettes)
{
    for (const QColor window : {QColor(Qt::white), QColor(0x1E, 0x1E, 0x1E)}) {
        QPalette palette;
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, window.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black));
        for (Role role : {Role::Primary, Role::Secondary, Role::Green, Role::Red}) {
            const double contrast = std::abs(Tints::color(role, palette).lightnessF() - window.lightnessF());
            EXPECT_GT(contrast, 0.25) << int(role) << " on " << window.name().toStdString();
        }
    }
}

TEST(StatRow, DigitsTakeEqualWidthsWhateverTheFont)
{
    // Most desktop fonts already have equal digits; the cells matter for those that do not.
    const auto proportional = [](const QString& family) {
        const QFontMetrics metrics{QFont(family)};
        return metrics.horizontalAdvance(QLatin1Char('1')) != metrics.horizontalAdvance(QLatin1Char('8'));
    };
    const QStringList families = QFontDatabase::families();
    const auto found = std::find_if(families.begin(), families.end(), proportional);
    if (found == families.end())
        GTEST_SKIP() << "no installed font has digits of different widths";

    StatRow ones(QStringLiteral("Label"));
    StatRow eights(QStringLiteral("Label"));
    ones.setFont(QFont(*found));
    eights.setFont(QFont(*found));
    ones.setValue(QStringLiteral("$1,111"), Role::Primary);
    eights.setValue(QStringLiteral("$8,888"), Role::Primary);
    EXPECT_EQ(ones.sizeHint().width(), eights.sizeHint().width()) << found->toStdString();
}
