#include "msghook/core/MessageTable.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kAll = MessageTable::kAllMessages;

TEST(MessageTable, EmptyMatchesNothingAndAllMatchesEverything) {
    MessageTable table(32);
    EXPECT_FALSE(table.Matches(15));
    EXPECT_FALSE(table.Matches(0));
    table.Add(kAll);
    EXPECT_EQ(table.Count(), -1);
    EXPECT_TRUE(table.Matches(15));
    EXPECT_TRUE(table.Matches(0x2A3));
}

TEST(MessageTable, ASingleMessageAddedToAnAllTableLeavesJustThatMessage) {
    MessageTable table(32);
    table.Add(kAll);
    table.Add(5);
    EXPECT_EQ(table.Count(), 1);
    EXPECT_TRUE(table.Matches(5));
    EXPECT_FALSE(table.Matches(15));
}

TEST(MessageTable, TheSameMessageTwiceIsKeptOnce) {
    MessageTable table(32);
    table.Add(5);
    table.Add(5);
    EXPECT_EQ(table.Count(), 1);
}

TEST(MessageTable, TheThirtyThirdMessageIsRefusedUntilAnEntryIsFreed) {
    MessageTable table(32);
    for (std::int32_t m = 1; m <= 32; ++m) {
        ASSERT_TRUE(table.Add(m * 10));
    }
    EXPECT_FALSE(table.Add(999));
    EXPECT_FALSE(table.Matches(999));
    for (std::int32_t m = 1; m <= 32; ++m) {
        EXPECT_TRUE(table.Matches(m * 10)) << m;
    }
    table.Remove(70);
    EXPECT_EQ(table.Count(), 32) << "removing leaves the count";
    EXPECT_FALSE(table.Matches(70));
    EXPECT_TRUE(table.Add(999));
    EXPECT_EQ(table.Entry(7), 999) << "the freed entry is reused";
    EXPECT_EQ(table.Count(), 32);
}

TEST(MessageTable, RemovingAllEmptiesAndRemovingTheUnknownDoesNothing) {
    MessageTable table(32);
    table.Add(5);
    table.Add(20);
    table.Remove(15);
    EXPECT_TRUE(table.Matches(5));
    EXPECT_TRUE(table.Matches(20));
    table.Remove(kAll);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_FALSE(table.Matches(5));
    EXPECT_EQ(table.Entry(1), 0) << "nothing in use after removing all";
}

TEST(MessageTable, EntriesOutsideTheCountReadAsZero) {
    MessageTable table(32);
    table.Add(5);
    EXPECT_EQ(table.Entry(1), 5);
    EXPECT_EQ(table.Entry(0), 0) << "counted from 1: nothing before the table";
    EXPECT_EQ(table.Entry(2), 0);
}

TEST(MessageTable, AFreedEntryDoesNotMatchMessageZero) {
    MessageTable table(32);
    table.Add(5);
    table.Remove(5);
    EXPECT_FALSE(table.Matches(5));
    EXPECT_FALSE(table.Matches(0)) << "WM_NULL must not reach the owner through a freed entry";
}

TEST(MessageTable, AnUnboundedTableGrowsOneEntryAtATime) {
    MessageTable table(SIZE_MAX);
    for (std::int32_t m = 1; m <= 100; ++m) {
        ASSERT_TRUE(table.Add(m));
    }
    EXPECT_EQ(table.Count(), 100);
}

} // namespace
