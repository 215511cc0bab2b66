#include "ActionsFixture.h"

#include "model/StatsConversions.h"
#include "services/EntryActions.h"
#include "services/JsonEncoding.h"
#include "services/YearActions.h"

#include <QJsonDocument>

#include <chrono>
#include <limits>

namespace {

using namespace std::chrono_literals;

const Instant now = instantFromMilliseconds(1780574400000); // 2026-06-04 12:00 UTC

QJsonObject parsed(const char* json) { return QJsonDocument::fromJson(json).object(); }

class Figures : public ActionsFixture {};

// The figures come from the stored entries and years in their fetch orders, whole; an empty
// store has zero figures and no comparison.
TEST_F(Figures, StatisticsAndComparisonOfAStore)
{
    EXPECT_EQ(JsonEncoding::statistics(PortfolioFigures::statistics(context(), now).value()).value(QStringLiteral("maximumBalance")),
              QJsonValue(0));
    EXPECT_EQ(JsonEncoding::comparison(PortfolioFigures::comparison(context()).value()), parsed(R"({"rows": [], "comparison": null})"));
    // Added out of date order; the window edges (30, 91, 182, 365 days) are far from every entry.
    for (const auto& [ago, balance, flow] : {std::tuple(60, 1200.0, 100.0), std::tuple(200, 900.0, 0.0), std::tuple(10, 1500.0, -50.0)})
        ASSERT_TRUE(EntryActions::add(context(), {.date = now - 24h * ago, .balance = balance, .adjustment = flow}).ok());
    ASSERT_TRUE(YearActions::add(context(), {.year = 2024, .tsxReturn = 0.1, .actualStart = 1000, .netCashFlows = 100, .sortOrder = 1}).ok());
    ASSERT_TRUE(YearActions::add(context(), {.year = 2023, .actualStart = 500, .sortOrder = 0}).ok());

    const QJsonObject summary = parsed(R"({"startingBalance": 900, "netCashFlows": 50, "currentValue": 1500,
        "investmentGain": 550, "gainPercent": 0.5789473684210527})");
    QJsonObject statistics = parsed(R"({"maximumBalance": 1500, "averageBalance30Days": 1500, "averageBalance91Days": 1350,
        "averageBalance182Days": 1350, "averageBalance365Days": 1200, "totalDeposits": 100, "totalWithdrawals": -50})");
    for (auto figure = summary.begin(); figure != summary.end(); ++figure)
        statistics.insert(figure.key(), figure.value());
    const QJsonObject shown = JsonEncoding::statistics(PortfolioFigures::statistics(context(), now).value());
    for (auto figure = statistics.begin(); figure != statistics.end(); ++figure) // the returns: their own test below
        EXPECT_EQ(shown[figure.key()], figure.value()) << figure.key().toStdString();
    EXPECT_EQ(JsonEncoding::summary(PortfolioFigures::summary(context()).value()), summary);

    // Simulated in sort order (2023 first), beside the summary of all entries.
    EXPECT_EQ(JsonEncoding::comparison(PortfolioFigures::comparison(context()).value()).value(QStringLiteral("comparison")).toObject(),
              parsed(R"({"portfolioStartingBalance": 900, "tsxStartingBalance": 500, "portfolioNetCashFlows": 50,
                  "tsxNetCashFlows": 100, "portfolioCurrentValue": 1500, "tsxCurrentValue": 650,
                  "portfolioInvestmentGain": 550, "tsxInvestmentGain": 50, "portfolioGainPercent": 0.5789473684210527,
                  "tsxGainPercent": 0.08333333333333333})"));
}

// The returns over the window asked for (their values are tested in the analytics), null where
// a measure has none: the per-year ones under 365 days, all but the period's dates over one
// day. The other figures stay over all entries; an average over a window without entries is
// null, not 0.
TEST(JsonEncoding, ReturnsOverTheChosenWindow)
{
    const std::vector<StatsInput> inputs{{Uuid::random(), now - 24h * 360, 1000, 1000}, {Uuid::random(), now - 24h * 180, 1100, 0},
                                         {Uuid::random(), now - 24h * 90, 990, 0}, {Uuid::random(), now - 24h, 1210, 110}};
    const QJsonObject all = JsonEncoding::statistics(PortfolioFigures::statistics(inputs, now));
    EXPECT_EQ(all[QStringLiteral("window")], QJsonValue(QStringLiteral("All")));
    EXPECT_EQ(all[QStringLiteral("maxDrawdownTrough")], QJsonValue(QStringLiteral("2026-03-06T12:00:00Z")));
    EXPECT_EQ(all[QStringLiteral("periodStart")], QJsonValue(QStringLiteral("2025-06-09T12:00:00Z")));
    EXPECT_EQ(all[QStringLiteral("annualisedOverDays")], QJsonValue(359));
    const QJsonObject month = JsonEncoding::statistics(PortfolioFigures::statistics(inputs, now, DateRange::month1));
    EXPECT_EQ(month[QStringLiteral("currentValue")], all[QStringLiteral("currentValue")]);
    for (const char* key : {"timeWeightedReturn", "moneyWeightedReturnForPeriod", "modifiedDietzReturn", "maxDrawdown", "maxDrawdownPeak",
                            "maxDrawdownTrough", "currentDrawdown", "currentDrawdownPeak"}) {
        EXPECT_TRUE(all[QString::fromUtf8(key)].isDouble() || all[QString::fromUtf8(key)].isString()) << key;
        EXPECT_TRUE(month[QString::fromUtf8(key)].isNull()) << key;
    }
    EXPECT_EQ(all[QStringLiteral("maxDrawdownRecovery")], QJsonValue(QStringLiteral("2026-06-03T12:00:00Z")));
    for (const char* key : {"moneyWeightedReturn", "annualisedTimeWeightedReturn"})
        EXPECT_TRUE(all[QString::fromUtf8(key)].isNull()) << key;
    EXPECT_EQ(month[QStringLiteral("window")], QJsonValue(QStringLiteral("1M")));
    EXPECT_EQ(month[QStringLiteral("periodEnd")], month[QStringLiteral("periodStart")]);

    const QJsonObject later = JsonEncoding::statistics(PortfolioFigures::statistics(inputs, now + 24h * 400));
    for (const char* key : {"averageBalance30Days", "averageBalance91Days", "averageBalance182Days", "averageBalance365Days"})
        EXPECT_TRUE(later[QString::fromUtf8(key)].isNull()) << key;
}

TEST(JsonEncoding, WritesIsoUtcDatesUpperCaseIdsAndNullForWhatIsMissing)
{
    auto entry = std::make_shared<BalanceEntry>();
    entry->setId(Uuid::fromString("0f8fad5b-d9cb-469f-a165-70867728950e"));
    entry->setDate(now);
    entry->setBalance(std::numeric_limits<double>::infinity());
    entry->setAdjustment(-2.5);
    entry->setNote(QStringLiteral("a\u00A0b"));
    auto bare = std::make_shared<BalanceEntry>();
    bare->setDate(now + 1ms);
    EXPECT_EQ(JsonEncoding::entries({entry, bare}),
              QJsonDocument::fromJson(R"([
                  {"id": "0F8FAD5B-D9CB-469F-A165-70867728950E", "date": "2026-06-04T12:00:00Z", "balance": null,
                   "adjustment": -2.5, "transfers": 0, "note": "a\u00a0b"},
                  {"id": null, "date": "2026-06-04T12:00:00.001Z", "balance": 0, "adjustment": 0, "transfers": 0, "note": null}
              ])")
                  .array());

    auto year = std::make_shared<TSXYear>();
    year->setYear(2026);
    year->setLabel(QStringLiteral("2026 YTD"));
    year->setSortOrder(-1);
    year->setTsxReturn(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(JsonEncoding::year(*year), parsed(R"({"id": null, "year": 2026, "label": "2026 YTD", "tsxReturn": null,
        "actualStart": 0, "actualEnd": 0, "netCashFlows": 0, "sortOrder": -1})"));
}

// Drawing a random id for every entry on every rebuild was pure waste: only an entry without
// an id needs one, and it still gets a fresh one each time.
TEST(StatsInputs, FillAMissingIdAndDateDrawingOnlyWhereNeeded)
{
    static int drawn = 0;
    const auto counted = []() { return ++drawn, Uuid::random(); };
    auto withId = std::make_shared<BalanceEntry>();
    withId->setId(Uuid::random());
    auto bare = std::make_shared<BalanceEntry>();
    const auto first = statsInputs(std::vector{withId, bare, withId}, counted);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(first[0].id, *withId->id());
    EXPECT_EQ(first[1].date, distantPast()); // undated: before every dated entry
    EXPECT_NE(statsInputs(std::vector{bare}, counted)[0].id, first[1].id);
    EXPECT_EQ(drawn, 2);
}

} // namespace
