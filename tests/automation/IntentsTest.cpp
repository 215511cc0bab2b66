// The entry entity, its query and the two actions over a store of their own: what the desktop
// and the command line get back, as plain values and texts. The add verb itself is tested in
// the actions layer.
#include "analytics/Fmt.h"
#include "automation/AddBalanceEntryIntent.h"
#include "automation/BalanceEntryQuery.h"
#include "automation/GetPortfolioSummaryIntent.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/StoredEntries.h"

#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <chrono>
#include <cmath>

using ::testing::ElementsAre;

namespace {

Instant day(int n) { return *Fmt::parseDay("2026-01-01") + std::chrono::days(n); }

class IntentsTest : public ::testing::Test {
protected:
    std::vector<double> balances(const std::vector<BalanceEntryEntity>& entities)
    {
        std::vector<double> result;
        for (const auto& entity : entities)
            result.push_back(entity.balance);
        return result;
    }
    BalanceEntryEntity add(Instant date, double balance) { return AddBalanceEntryIntent{date, balance}.perform(date, *container_).value().entity; }

    std::unique_ptr<PersistentContainer> container_ = std::move(PersistentContainer::openInMemory()).value();
};

// Without a date the entry is dated now; the dialog names its local day.
TEST_F(IntentsTest, AddingWithOnlyABalanceStoresZerosNoNoteAndNow)
{
    const Instant now = *Fmt::parseDay("2026-06-04") + std::chrono::hours(15) + std::chrono::milliseconds(123);
    const auto added = AddBalanceEntryIntent{.balance = 0}.perform(now, *container_);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.value().dialog, QStringLiteral("Added $0 on Jun 4, 2026."));
    const auto stored = IntentsDataProvider::allEntities(*container_);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(std::tuple(stored[0].id, stored[0].date, stored[0].adjustment, stored[0].transfers, stored[0].note),
              std::tuple(added.value().entity.id, now, 0.0, 0.0, std::optional<QString>()));
}

// The suggestions are the twenty latest, newest first; the summary's value is the latest
// balance, unformatted. Resolving ids skips unknown ones and gives each entry once, by date.
TEST_F(IntentsTest, SuggestionsAndResolvedIds)
{
    EXPECT_TRUE(BalanceEntryQuery::suggestedEntities(*container_).empty());
    EXPECT_TRUE(BalanceEntryQuery::entities({Uuid::random()}, *container_).empty());
    for (int i = 1; i <= 3; ++i)
        add(day(i), i);
    EXPECT_THAT(balances(BalanceEntryQuery::suggestedEntities(*container_)), ElementsAre(3, 2, 1));
    const auto third = add(day(3), 30), first = add(day(1), 10);
    EXPECT_THAT(balances(BalanceEntryQuery::entities({third.id, Uuid::random(), third.id, first.id}, *container_)), ElementsAre(10, 30));
    for (int i = 4; i <= 25; ++i)
        add(day(i), i);
    const auto suggested = balances(BalanceEntryQuery::suggestedEntities(*container_));
    ASSERT_EQ(suggested.size(), 20u);
    EXPECT_EQ(std::pair(suggested.front(), suggested.back()), std::pair(25.0, 6.0));
    EXPECT_EQ(GetPortfolioSummaryIntent().perform(*container_).value(), 25);
}

// Out of date order, two on one instant, one without date, a NaN amount: the direct read
// gives the dates and amounts of a background fetch.
TEST(StoredEntryInputsTest, MatchTheSnapshotsOfABackgroundFetch)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("store.sqlite"));
    auto container = std::move(PersistentContainer::open(path)).value();
    ObjectContext& context = container->viewContext();
    for (auto [n, balance] : {std::pair{60, 3.0}, std::pair{0, 1.0}, std::pair{60, 4.0}, std::pair{31, std::nan("")}}) {
        const auto entry = BalanceEntry::create(context);
        entry->setDate(day(n));
        entry->setBalance(balance);
        entry->setAdjustment(balance * 10);
    }
    BalanceEntry::create(context)->setBalance(7);
    ASSERT_TRUE(context.save().ok());

    const auto text = [](const std::vector<StatsInput>& inputs) {
        std::string shown;
        for (const StatsInput& input : inputs)
            shown += std::to_string(millisecondsOf(input.date)) + " " + std::to_string(input.balance) + " " + std::to_string(input.adjustment) + "\n";
        return shown;
    };
    const auto read = readStoredStatsInputs(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(text(read.value()), text(IntentsDataProvider::statsInputs(*container)));
}

TEST(GetPortfolioSummaryIntentTest, TheGainSignFollowsTheGainInBothPlaces)
{
    const std::pair<PortfolioSummary, const char*> cases[] = {
        {{1000, 500, 1800, 300, 0.2}, "Current value: $1,800\nInvestment gain: +$300 (+20%)\nNet cash flows: $500"},
        {{1000, 0, 900, -100, -0.1}, "Current value: $900\nInvestment gain: -$100 (-10%)\nNet cash flows: $0"},
        // A gain that is not a number gets no sign; the percentage follows the gain, not itself.
        {{0, 0, 0, std::nan(""), 0.05}, "Current value: $0\nInvestment gain: $NaN (5%)\nNet cash flows: $0"},
    };
    for (const auto& [summary, dialog] : cases)
        EXPECT_EQ(GetPortfolioSummaryIntent::dialog(summary).toStdString(), dialog);
}

} // namespace
