#include "analytics/Uuid.h"

#include <gtest/gtest.h>

#include <set>

TEST(Uuid, RandomIsVersion4AndUnique)
{
    std::set<Uuid> seen;
    for (int i = 0; i < 1000; ++i) {
        const Uuid uuid = Uuid::random();
        EXPECT_EQ(std::pair(uuid.bytes[6] >> 4, uuid.bytes[8] & 0xC0), std::pair(4, 0x80));
        EXPECT_TRUE(seen.insert(uuid).second);
        EXPECT_EQ(Uuid::fromString(uuid.toString()), uuid);
    }
}

// Read in either case, written in upper case; anything but 32 hex digits in 8-4-4-4-12 is refused.
TEST(Uuid, TextRoundTripAndRejects)
{
    EXPECT_EQ(Uuid::fromString("0f8fad5b-d9cb-469f-a165-70867728950e").value_or(Uuid{}).toString(), "0F8FAD5B-D9CB-469F-A165-70867728950E");
    for (const char* text : {"", "0f8fad5b-d9cb-469f-a165-70867728950", "0f8fad5bxd9cb-469f-a165-70867728950e", "0f8fad5b-d9cb-469f-a165-70867728950g"})
        EXPECT_FALSE(Uuid::fromString(text)) << text;
}
