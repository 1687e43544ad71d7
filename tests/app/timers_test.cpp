// The window's small timers on the virtual clock.
#include "tests/app/shell_fixture.h"

namespace {

using TimersTest = ShellTest;

TEST_F(TimersTest, TheScannerClockCountsSecondsOnlyWhileItRuns) {
    TForm1 &w = Create();
    gui::AdvanceTime(5000);
    EXPECT_EQ(w.ScanTick, 0);
    w.Timer12->SetEnabled(true);
    gui::AdvanceTime(3500);
    EXPECT_EQ(w.ScanTick, 3);
    w.Timer12->SetEnabled(false);
    gui::AdvanceTime(3000);
    EXPECT_EQ(w.ScanTick, 3);
}

TEST_F(TimersTest, TheKeyReleaseTimerIsOneShot) {
    TForm1 &w = Create();
    w.Timer11->SetEnabled(true);
    gui::AdvanceTime(199);
    EXPECT_TRUE(w.Timer11->Enabled());
    gui::AdvanceTime(1);
    EXPECT_FALSE(w.Timer11->Enabled());
}

}  // namespace
