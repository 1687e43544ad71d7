// The scanner screen's clock on the virtual clock.
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

}  // namespace
