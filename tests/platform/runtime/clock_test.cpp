#include "platform/runtime/clock.h"

#include <gtest/gtest.h>

TEST(Clock, VirtualClockMovesOnlyWhenAdvanced) {
    runtime::UseVirtualClock(1'000'000);
    EXPECT_TRUE(runtime::VirtualClockActive());
    EXPECT_EQ(runtime::NowMs(), 0);
    runtime::AdvanceVirtualClock(250);
    runtime::SleepMs(10);
    runtime::AdvanceVirtualClock(-100);  // never backwards
    EXPECT_EQ(runtime::NowMs(), 260);
    EXPECT_EQ(runtime::WallClockMs(), 1'000'260);
    runtime::UseRealClock();
    EXPECT_FALSE(runtime::VirtualClockActive());
    const int64_t before = runtime::NowMs();
    runtime::SleepMs(5);
    EXPECT_GE(runtime::NowMs() - before, 5);
}
