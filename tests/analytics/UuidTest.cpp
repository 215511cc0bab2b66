#include "analytics/Uuid.h"

#include <gtest/gtest.h>

#include <set>

TEST(Uuid, RandomIsVersion4AndUnique)
{
    std::set<Uuid> seen;
    for (int i = 0; i < 1000; ++i) {
        const Uuid uuid = Uuid::random();
        EXPECT_EQ(uuid.bytes[6] >> 4, 4);
        EXPECT_EQ(uuid.bytes[8] & 0xC0, 0x80);
        EXPECT_TRUE(seen.insert(uuid).second);
    }
}

TEST(Uuid, TextRoundTripAndRejects)
{
    const Uuid uuid = Uuid::random();
    EXPECT_EQ(Uuid::fromString(uuid.toString()), uuid);
    const auto lower = Uuid::fromString("0f8fad5b-d9cb-469f-a165-70867728950e");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->toString(), "0F8FAD5B-D9CB-469F-A165-70867728950E");
    EXPECT_FALSE(Uuid::fromString(""));
    EXPECT_FALSE(Uuid::fromString("0f8fad5b-d9cb-469f-a165-70867728950"));   // short
    EXPECT_FALSE(Uuid::fromString("0f8fad5bxd9cb-469f-a165-70867728950e"));  // dash missing
    EXPECT_FALSE(Uuid::fromString("0f8fad5b-d9cb-469f-a165-70867728950g"));  // not hex
}
