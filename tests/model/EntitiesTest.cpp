#include "model/ObjectContext.h"
#include "model/PersistenceController.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Entities, DisplayNamePrefersAnyNonEmptyLabel)
{
    const std::tuple<std::int32_t, std::optional<QString>, QString> cases[] = {
        {2025, std::nullopt, QStringLiteral("2025")},
        {2025, QString(), QStringLiteral("2025")},
        {2025, QStringLiteral("   "), QStringLiteral("   ")}, // blanks are a label too
        {std::numeric_limits<std::int32_t>::min(), std::nullopt, QStringLiteral("-2147483648")}, // no grouping separators
    };
    for (const auto& [number, label, expected] : cases) {
        TSXYear year;
        year.setYear(number);
        year.setLabel(label);
        EXPECT_EQ(year.displayName(), expected) << number;
    }
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

} // namespace
