// The window's timers on the virtual clock.
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

// With no channel open and nothing to show, the program wakes for the device scan only; the
// channel timers that run from the start stay on, resting.
TEST_F(TimersTest, AnIdleWindowWakesOnlyForTheDeviceScan) {
    TForm1 &w = Create();
    w.Show();
    gui::AdvanceTime(1000);
    int wakeUps = 0;
    const int64_t end = runtime::NowMs() + 10000;
    for (auto due = gui::NextTimerDue(); due && *due <= end; due = gui::NextTimerDue()) {
        gui::AdvanceTime(*due - runtime::NowMs());
        ++wakeUps;
    }
    EXPECT_LE(wakeUps, 20);  // the scan every 500 ms, when a device library is there
    for (TTimer *timer : {w.Timer2, w.Timer4, w.Timer17, w.Timer18}) EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(w.KlineConnected + w.TivarConnected, 0);
}

}  // namespace
