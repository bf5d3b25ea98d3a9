// The world controller's sharing of fish, index clamping and stored counts
// at their edges (the usual cases: UnderWaterWorldTest.cpp).
#include "aquarium/core/WorldRules.h"

#include <gtest/gtest.h>

TEST(WorldRulesTest, FishSharesAddUpAndNoShoalsGetNone)
{
    EXPECT_EQ(FishShare(2, 3, 2), 0);
    EXPECT_EQ(FishShare(20, 0, 0), 0);
    int total = 0;
    for (int i = 0; i < 7; ++i)
        total += FishShare(100, 7, i);
    EXPECT_EQ(total, 100);
}

TEST(WorldRulesTest, IndicesAndStoredCountsStayInRange)
{
    EXPECT_EQ(ClampToLast(1, 2), 1);
    EXPECT_EQ(ClampToLast(-1, 2), -1);
    EXPECT_EQ(ClampToLast(0, 0), -1);
    EXPECT_EQ(StoredCount(MaxStoredCount, 20), MaxStoredCount);
    EXPECT_EQ(StoredCount(MaxStoredCount + 1, 20), 20);
    EXPECT_EQ(StoredCount(-1, 20), 20);
}
