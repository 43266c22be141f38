#include "update/core/StallWatch.h"

#include <gtest/gtest.h>

namespace {

TEST(StallWatch, ADripAfterTheFirstKibibyteStallsOneWindowLater) {
    StallWatch watch(30000, 1024, 1000);
    EXPECT_FALSE(watch.Stalled(2000, 1024));
    for (unsigned long long t = 5000, bytes = 1025; t < 32000; t += 3000, ++bytes) {
        EXPECT_FALSE(watch.Stalled(t, bytes)) << t;
    }
    EXPECT_TRUE(watch.Stalled(32000, 1040));
}

TEST(StallWatch, SteadyProgressNeverStallsAndSilenceFromTheStartDoes) {
    StallWatch moving(30000, 1024, 0);
    for (unsigned long long t = 0; t < 600000; t += 29000) {
        EXPECT_FALSE(moving.Stalled(t, t / 29000 * 1024)) << t;
    }
    StallWatch silent(30000, 1024, 0);
    EXPECT_FALSE(silent.Stalled(29999, 1023));
    EXPECT_TRUE(silent.Stalled(30000, 1023));
    StallWatch off(0, 1024, 0);
    EXPECT_FALSE(off.Stalled(1000000, 0));
}

} // namespace
