#include "model/ObjectContext.h"
#include "model/PersistenceController.h"
#include "model/StatsConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {

TEST(Entities, FreshObjectsHoldTheirDefaults)
{
    PersistenceController controller(true);
    ObjectContext& context = controller.container().viewContext();

    auto entry = BalanceEntry::create(context);
    EXPECT_EQ(entry->balance() + entry->adjustment() + entry->transfers(), 0);
    EXPECT_FALSE(entry->id() || entry->date() || entry->note());
    auto year = TSXYear::create(context);
    EXPECT_EQ(year->year() + year->sortOrder() + year->tsxReturn() + year->actualStart() + year->actualEnd() + year->netCashFlows(), 0);
    EXPECT_FALSE(year->label() || year->id());

    // The defaults survive a save and a fresh read of the store.
    ASSERT_TRUE(context.save().ok());
    auto entries = context.fetchBalanceEntries();
    ASSERT_TRUE(entries.ok());
    ASSERT_EQ(entries.value().size(), 1u);
    EXPECT_FALSE(entries.value()[0]->note());
    EXPECT_GT(entries.value()[0]->rowId(), 0);
}

TEST(Entities, DisplayNamePrefersAnyNonEmptyLabel)
{
    struct Case {
        std::int32_t year;
        std::optional<QString> label;
        QString expected;
    };
    const Case cases[] = {
        {2025, std::nullopt, QStringLiteral("2025")},
        {2025, QString(), QStringLiteral("2025")},
        {2025, QStringLiteral("2026 YTD"), QStringLiteral("2026 YTD")},
        {2025, QStringLiteral("   "), QStringLiteral("   ")}, // blanks are a label too
        {123456, std::nullopt, QStringLiteral("123456")}, // no grouping separators
        {std::numeric_limits<std::int32_t>::min(), std::nullopt, QStringLiteral("-2147483648")},
    };
    for (const Case& c : cases) {
        TSXYear year;
        year.setYear(c.year);
        year.setLabel(c.label);
        EXPECT_EQ(year.displayName(), c.expected) << c.year;
    }
}

TEST(Entities, DetachedObjectsStayInvisibleUntilInserted)
{
    PersistenceController controller(true);
    ObjectContext& context = controller.container().viewContext();
    auto entry = std::make_shared<BalanceEntry>();
    entry->setBalance(12.5);
    EXPECT_EQ(entry->context(), nullptr);
    EXPECT_EQ(context.fetchBalanceEntries().value().size(), 0u);
    EXPECT_EQ(context.countBalanceEntries().value(), 0);
    EXPECT_FALSE(context.hasChanges());

    context.insert(entry);
    EXPECT_EQ(entry->context(), &context);
    ASSERT_EQ(context.fetchBalanceEntries().value().size(), 1u);
    EXPECT_EQ(context.fetchBalanceEntries().value()[0]->balance(), 12.5);
    EXPECT_TRUE(context.hasChanges());

    // A detached object that is never inserted is simply dropped.
    auto dropped = std::make_shared<TSXYear>();
    dropped->setYear(1999);
    dropped.reset();
    ASSERT_TRUE(context.save().ok());
    EXPECT_EQ(context.countTSXYears().value(), 0);
}

TEST(Entities, ObjectsOutlivingTheirContextEndDetached)
{
    std::shared_ptr<BalanceEntry> kept;
    {
        PersistenceController controller(true);
        kept = BalanceEntry::create(controller.container().viewContext());
        ASSERT_TRUE(controller.container().viewContext().save().ok());
    }
    EXPECT_EQ(kept->context(), nullptr);
    kept->setBalance(3); // must not reach the context that is gone
    EXPECT_EQ(kept->balance(), 3);
}

TEST(StatsConversions, FillMissingIdentityAndDateAndKeepOrder)
{
    auto dated = std::make_shared<BalanceEntry>();
    const Uuid id = Uuid::random();
    dated->setId(id);
    dated->setDate(instantFromMilliseconds(1'700'000'000'000));
    dated->setBalance(100);
    dated->setAdjustment(-5);
    auto bare = std::make_shared<BalanceEntry>();
    bare->setBalance(7);

    const auto snapshots = statsInputs({dated, bare, bare});
    ASSERT_EQ(snapshots.size(), 3u);
    EXPECT_EQ(std::tuple(snapshots[0].id, millisecondsOf(snapshots[0].date), snapshots[0].balance, snapshots[0].adjustment),
              std::tuple(id, 1'700'000'000'000LL, 100.0, -5.0));
    EXPECT_EQ(std::pair(snapshots[1].date, snapshots[1].balance), std::pair(distantPast(), 7.0));
    EXPECT_NE(snapshots[1].id, snapshots[2].id); // a fresh id per snapshot

    auto year = std::make_shared<TSXYear>();
    year->setSortOrder(-3);
    year->setYear(-2024);
    year->setLabel(QStringLiteral("2026 YTD ✓"));
    year->setTsxReturn(0.215);
    year->setNetCashFlows(1);
    year->setActualStart(2);
    year->setActualEnd(3);
    const auto converted = inputs({year, std::make_shared<TSXYear>()});
    ASSERT_EQ(converted.size(), 2u);
    const auto& c = converted[0];
    EXPECT_EQ(std::tuple(c.sortOrder, c.year, c.tsxReturn, c.netCashFlows, c.actualStart, c.actualEnd),
              std::tuple(std::int64_t(-3), std::int64_t(-2024), 0.215, 1.0, 2.0, 3.0));
    EXPECT_EQ(c.label, std::string("2026 YTD \u2713"));
    EXPECT_FALSE(converted[1].label);
}

} // namespace
