// The entry entity, its query and the two actions over a store of their own: what the desktop
// and the command line get back, as plain values and texts.
#include "analytics/Fmt.h"
#include "automation/AddBalanceEntryIntent.h"
#include "automation/BalanceEntryQuery.h"
#include "automation/GetPortfolioSummaryIntent.h"
#include "model/StoredEntryInputs.h"
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <chrono>
#include <cmath>

using ::testing::ElementsAre;

namespace {

Instant day(const char* isoDay) { return *Fmt::parseDay(isoDay); }

class IntentsTest : public ::testing::Test {
protected:
    void SetUp() override { container_ = std::move(PersistentContainer::openInMemory()).value(); }

    BalanceEntryEntity add(Instant date, double balance, std::optional<QString> note = std::nullopt)
    {
        AddBalanceEntryIntent intent{date, balance, 0, 0, std::move(note)};
        return intent.perform(date, *container_).value().entity;
    }

    std::unique_ptr<PersistentContainer> container_;
};

TEST_F(IntentsTest, AddingWithOnlyABalanceStoresZerosNoNoteAndNow)
{
    const Instant now = day("2026-06-04") + std::chrono::hours(15) + std::chrono::milliseconds(123);
    const auto added = AddBalanceEntryIntent{.balance = 0}.perform(now, *container_);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.value().dialog, QStringLiteral("Added $0 on Jun 4, 2026."));

    const auto stored = IntentsDataProvider::allEntities(*container_);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(std::tuple(stored[0].id, stored[0].date, stored[0].adjustment, stored[0].transfers, stored[0].note),
              std::tuple(added.value().entity.id, now, 0.0, 0.0, std::optional<QString>()));
}

TEST_F(IntentsTest, SuggestionsAreTheTwentyLatestNewestFirst)
{
    EXPECT_TRUE(BalanceEntryQuery::suggestedEntities(*container_).empty());
    for (int i = 1; i <= 3; ++i)
        add(day("2026-01-01") + std::chrono::days(i), i);
    auto balances = [&] {
        std::vector<double> result;
        for (const auto& entity : BalanceEntryQuery::suggestedEntities(*container_))
            result.push_back(entity.balance);
        return result;
    };
    EXPECT_THAT(balances(), ElementsAre(3, 2, 1));
    for (int i = 4; i <= 25; ++i)
        add(day("2026-01-01") + std::chrono::days(i), i);
    const auto suggested = balances();
    ASSERT_EQ(suggested.size(), 20u);
    EXPECT_EQ(suggested.front(), 25);
    EXPECT_EQ(suggested.back(), 6);
    // The summary's value is the latest balance, unformatted.
    EXPECT_EQ(GetPortfolioSummaryIntent().perform(*container_).value(), 25);
}

TEST_F(IntentsTest, ResolvingIdsSkipsUnknownOnesAndReturnsEachEntryOnce)
{
    EXPECT_TRUE(BalanceEntryQuery::entities({Uuid::random()}, *container_).empty());
    const auto first = add(day("2026-01-02"), 1);
    const auto second = add(day("2026-01-01"), 2);
    const auto found = BalanceEntryQuery::entities({first.id, Uuid::random(), first.id, second.id}, *container_);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].id, second.id); // by date, not by request
    EXPECT_EQ(found[1].id, first.id);
}

TEST(StoredEntryInputsTest, MatchTheSnapshotsOfABackgroundFetch)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("store.sqlite"));
    auto container = std::move(PersistentContainer::open(path)).value();
    ObjectContext& context = container->viewContext();
    // Out of date order, two on one instant, one without date, a NaN amount.
    for (auto [date, balance] : {std::pair{"2026-03-01", 3.0}, std::pair{"2026-01-01", 1.0}, std::pair{"2026-03-01", 4.0},
                                 std::pair{"2026-02-01", std::nan("")}}) {
        const auto entry = BalanceEntry::create(context);
        entry->setId(Uuid::random());
        entry->setDate(day(date));
        entry->setBalance(balance);
        entry->setAdjustment(balance * 10);
    }
    BalanceEntry::create(context)->setBalance(7);
    ASSERT_TRUE(context.save().ok());

    const auto fetched = IntentsDataProvider::statsInputs(*container);
    const auto read = readStoredStatsInputs(path);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.value().size(), fetched.size());
    for (std::size_t i = 0; i < fetched.size(); ++i) {
        EXPECT_EQ(read.value()[i].date, fetched[i].date) << i;
        EXPECT_EQ(std::isnan(read.value()[i].balance) ? -1 : read.value()[i].balance, std::isnan(fetched[i].balance) ? -1 : fetched[i].balance);
        EXPECT_EQ(read.value()[i].adjustment == fetched[i].adjustment, !std::isnan(fetched[i].adjustment)) << i;
    }
}

struct SummaryCase {
    PortfolioSummary summary;
    const char* dialog;
};

TEST(GetPortfolioSummaryIntentTest, TheGainSignFollowsTheGainInBothPlaces)
{
    const SummaryCase cases[] = {
        {{}, "Current value: $0\nInvestment gain: +$0 (+0%)\nNet cash flows: $0"},
        {{1000, 500, 1800, 300, 0.2}, "Current value: $1,800\nInvestment gain: +$300 (+20%)\nNet cash flows: $500"},
        {{1000, 0, 900, -100, -0.1}, "Current value: $900\nInvestment gain: -$100 (-10%)\nNet cash flows: $0"},
        // A gain that is not a number gets no sign; the percentage follows the gain, not itself.
        {{0, 0, 0, std::nan(""), 0.05}, "Current value: $0\nInvestment gain: $NaN (5%)\nNet cash flows: $0"},
    };
    for (const SummaryCase& c : cases)
        EXPECT_EQ(GetPortfolioSummaryIntent::dialog(c.summary).toStdString(), c.dialog);
}

} // namespace
