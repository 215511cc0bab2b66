#include "services/JsonEncoding.h"

#include "../analytics/LocalSettings.h"

#include <QJsonValue>
#include <gtest/gtest.h>

namespace {
StatsInput entry(Instant date, double balance, double adjustment = 0) { return StatsInput{Uuid::random(), date, balance, adjustment}; }
} // namespace

// The returns of the statistics over the window asked for; null where a measure has none.
TEST(StatisticsJson, ReturnsOverTheChosenWindow)
{
    const std::vector inputs{entry(localTime(2024, 1, 1), 1000, 1000), entry(localTime(2024, 7, 1), 1100, 0),
                             entry(localTime(2024, 10, 1), 990, 0), entry(localTime(2025, 1, 1), 1210, 110)};
    const Instant now = localTime(2025, 1, 10);
    const QJsonObject all = JsonEncoding::statistics(PortfolioFigures::statistics(inputs, now));
    EXPECT_EQ(all[QStringLiteral("window")].toString(), QStringLiteral("All"));
    EXPECT_NEAR(all[QStringLiteral("timeWeightedReturn")].toDouble(), 0.1, 1e-12);
    EXPECT_NEAR(all[QStringLiteral("maxDrawdown")].toDouble(), -0.1, 1e-12);
    EXPECT_TRUE(all[QStringLiteral("maxDrawdownTrough")].toString().startsWith(QStringLiteral("2024-10-01T04:00:00")));
    for (const char* key : {"moneyWeightedReturn", "modifiedDietzReturn", "annualisedTimeWeightedReturn"})
        EXPECT_TRUE(all[QString::fromUtf8(key)].isDouble()) << key;

    const QJsonObject month = JsonEncoding::statistics(PortfolioFigures::statistics(inputs, now, DateRange::month1));
    EXPECT_EQ(month[QStringLiteral("window")].toString(), QStringLiteral("1M"));
    for (const char* key : {"timeWeightedReturn", "moneyWeightedReturn", "modifiedDietzReturn", "annualisedTimeWeightedReturn",
                            "maxDrawdown", "maxDrawdownPeak", "maxDrawdownTrough"})
        EXPECT_TRUE(month[QString::fromUtf8(key)].isNull()) << key;
    EXPECT_DOUBLE_EQ(month[QStringLiteral("summary")][QStringLiteral("currentValue")].toDouble(), 1210); // over all entries
}
