// Queued commands: a press runs its command once, 200 ms later, outside the click handler.
#include <stdexcept>

#include "tests/app/shell_fixture.h"

namespace {

using CommandsTest = ShellTest;

TEST_F(CommandsTest, ASecondPressBeforeTheTickReplacesTheFirst) {
    TForm1 &w = Create();
    w.Panel157->Click();
    gui::AdvanceTime(100);
    w.Panel161->Click();
    gui::AdvanceTime(100);
    EXPECT_EQ(w.CurrentPage, 5);
    EXPECT_FALSE(w.Panel240->Visible()) << "the first press never ran";
    EXPECT_FALSE(w.Timer6->Enabled());
}

TEST_F(CommandsTest, ATickWhileACommandRunsDropsTheQueuedCommand) {
    TForm1 &w = Create();
    w.ButtonBusy = 1;
    Press(w.Panel157);
    EXPECT_EQ(w.CurrentPage, 0);
    EXPECT_FALSE(w.Timer6->Enabled());
    w.ButtonBusy = 0;
    gui::AdvanceTime(1000);
    EXPECT_EQ(w.CurrentPage, 0) << "dropped, not kept for later";
}

TEST_F(CommandsTest, AFailingCommandIsReportedOnceAndLaterCommandsStillRun) {
    TForm1 &w = Create();
    int changes = 0;
    w.FareGridColumns[0]->OnChange = [&changes](TObject *) {
        ++changes;
        throw std::runtime_error("grid cell failed");
    };
    w.FareRowStore[evaluation::kTimeNom][0][0] = "1";
    Press(w.Panel159);  // the results page writes the grid
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("grid cell failed"));
    EXPECT_EQ(w.ButtonBusy, 0) << "the guard is released";

    w.FareGridColumns[0]->OnChange = nullptr;
    Press(w.Panel161);
    EXPECT_EQ(w.CurrentPage, 5);
    EXPECT_TRUE(w.Panel245->Visible());
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
