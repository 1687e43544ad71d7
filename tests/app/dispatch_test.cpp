// Every command panel of the window, clicked where the officer sees it, queues its command with its
// index and list row; the shell's own commands act on their screens.
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "app/process_end.h"
#include "tests/app/screen_clicks.h"
#include "tests/app/shell_fixture.h"

namespace {

struct Queued {
    int32_t command, index, row, delRow;
};

class DispatchTest : public ShellTest {
protected:
    void TearDown() override {
        shell::EndProcess = savedEnd_;
        ShellTest::TearDown();
    }
    // Clicks the panel on screen and checks what it queued; the command is then dropped unrun.
    void ExpectQueued(TForm1 &w, TPanel *panel, const Queued &expected) {
        SCOPED_TRACE(panel->Name().toStdString());
        BringOnScreen(panel);
        w.ButtonRow = w.ButtonDelRow = 99;
        w.ButtonId = w.ButtonPanelIndex = -1;
        ClickOnScreen(w, panel);
        EXPECT_EQ(w.ButtonId, expected.command);
        EXPECT_EQ(w.ButtonPanelIndex, expected.index);
        EXPECT_EQ(w.ButtonRow, expected.row);
        EXPECT_EQ(w.ButtonDelRow, expected.delRow);
        EXPECT_EQ(panel->BevelOuter(), bvLowered);
        EXPECT_TRUE(w.Timer6->Enabled());
        w.ButtonBusy = 1;  // the tick finds a command running and drops this one
        gui::AdvanceTime(200);
        w.ButtonBusy = 0;
        panel->SetBevelOuter(bvRaised);
    }
    std::vector<int> exits;
    std::function<void(int)> savedEnd_ = std::exchange(shell::EndProcess, [this](int code) { exits.push_back(code); });
};

TEST_F(DispatchTest, EveryCommandPanelQueuesItsCommandIndexAndRow) {
    TForm1 &w = Create();
    w.Show();
    // Panel index in ButtonPanels and the command it queues; 0 ("<" hidden), 10 and 11 (">" and "<"
    // a second time) are reached by no press, 23 is the exit button below.
    const std::pair<int, int> single[] = {
        {1, 1},   {2, 2},   {3, 3},   {4, 4},   {5, 5},   {6, 6},   {7, 7},   {8, 9},   {9, 10},  {12, 13},
        {13, 14}, {14, 15}, {15, 16}, {16, 17}, {17, 18}, {18, 19}, {19, 20}, {20, 21}, {21, 22}, {22, 23},
        {24, 25}, {25, 26}, {26, 27}, {27, 28}, {28, 29}, {29, 30}, {30, 31}, {31, 32}, {32, 33}, {33, 35},
        {34, 36}, {35, 37}, {36, 38}, {37, 39}, {38, 41}, {39, 42}, {40, 43}, {41, 44}, {42, 45}, {43, 46},
        {44, 47}, {45, 48}, {46, 49}, {47, 50}, {48, 51}, {49, 52}, {50, 53}, {51, 54}, {52, 55}, {53, 56},
        {54, 57}, {55, 58}, {56, 59}, {57, 60}, {58, 61}, {59, 62}, {60, 63}, {61, 64}, {62, 65}, {63, 66},
        {64, 67}};
    for (const auto &[index, command] : single) ExpectQueued(w, w.ButtonPanels[index], {command, index, 0, 0});
    for (int row = 0; row < 20; ++row) {
        ExpectQueued(w, w.JobRowPanels[row], {8, 0, row, 0});
        ExpectQueued(w, w.JobHidePanels[row], {34, 0, 0, row});
    }
    for (int slot = 0; slot < 16; ++slot) ExpectQueued(w, w.ResultSlotPanels[slot], {40, slot, 0, 0});

    w.Label423->SetCaption("Przed zmianą");  // the caption that fills the view panel
    BringOnScreen(w.Label423);
    ClickOnScreen(w, w.Label423);
    EXPECT_EQ(w.ButtonId, 58) << "a click on the caption acts as one on its panel";
    EXPECT_EQ(w.Panel343->BevelOuter(), bvLowered);
}

TEST_F(DispatchTest, TheExitButtonKeepsTheRowsOfTheLastPress) {
    TForm1 &w = Create();
    w.Show();
    w.ButtonRow = 4;
    w.ButtonDelRow = 6;
    ClickOnScreen(w, w.Panel6);
    EXPECT_EQ(w.ButtonId, 24);
    EXPECT_EQ(w.ButtonPanelIndex, 23);
    EXPECT_EQ(w.ButtonRow, 4);
    EXPECT_EQ(w.ButtonDelRow, 6);
    EXPECT_EQ(w.Panel6->BevelOuter(), bvLowered);
    EXPECT_TRUE(exits.empty()) << "the command waits for Timer6";
    gui::AdvanceTime(200);
    EXPECT_EQ(w.Panel6->BevelOuter(), bvRaised);
    EXPECT_EQ(exits, std::vector<int>{0}) << "the library was never loaded: no device call, exit code 0";
}

TEST_F(DispatchTest, EachPanelFamilyIsRaisedAgainWhenItsCommandRuns) {
    TForm1 &w = Create();
    w.Show();
    for (TPanel *panel : {w.JobRowPanels[3], w.JobHidePanels[5], w.ResultSlotPanels[11], w.ButtonPanels[2]}) {
        SCOPED_TRACE(panel->Name().toStdString());
        BringOnScreen(panel);
        ClickOnScreen(w, panel);
        EXPECT_EQ(panel->BevelOuter(), bvLowered);
        gui::AdvanceTime(199);
        EXPECT_EQ(panel->BevelOuter(), bvLowered);
        gui::AdvanceTime(1);
        EXPECT_EQ(panel->BevelOuter(), bvRaised);
    }
}

TEST_F(DispatchTest, ASecondPressWithinTheIntervalLeavesTheFirstPanelLowered) {
    TForm1 &w = Create();
    Press(w.Panel160);  // away from the parameters page
    w.Panel157->Click();
    gui::AdvanceTime(150);
    w.Panel156->Click();
    gui::AdvanceTime(50);
    EXPECT_EQ(w.CurrentPage, 0) << "only the later press ran";
    EXPECT_FALSE(w.Panel240->Visible()) << "the first press never ran";
    EXPECT_FALSE(w.Timer6->Enabled());
    EXPECT_EQ(w.Panel156->BevelOuter(), bvRaised);
    EXPECT_EQ(w.Panel157->BevelOuter(), bvLowered);
}

TEST_F(DispatchTest, AFailingCommandIsReportedOnceAndLaterCommandsStillRun) {
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

TEST_F(DispatchTest, APressWhileACommandWaitsInAMessageBoxIsDropped) {
    TForm1 &w = Create();
    // The results page writes the grid; a box shown from that write pumps the window's timers.
    bool inBox = false;
    w.FareGridColumns[0]->OnChange = [&](TObject *) {
        if (inBox) return;
        inBox = true;
        Application->MessageBox("?", "", MB_OK);
    };
    Application->ModalBoxResponder = [&](const TModalBox &) {
        w.Panel161->Click();
        gui::AdvanceTime(200);
        return IDOK;
    };
    w.FareRowStore[evaluation::kTimeNom][0][0] = "1";
    Press(w.Panel159);
    ASSERT_TRUE(inBox);
    EXPECT_EQ(w.CurrentPage, 3);
    EXPECT_FALSE(w.Timer6->Enabled());
    gui::AdvanceTime(1000);
    EXPECT_EQ(w.CurrentPage, 3) << "the press made inside the box is not run later";
    EXPECT_EQ(w.ButtonBusy, 0);
}

TEST_F(DispatchTest, SettingOverSettingDoesNothing) {
    TForm1 &w = Create();
    Press(w.Panel163);
    w.EnableWynikiLiczniki(false);
    w.TariffSelPanels[w.CurrentTariff]->SetColor(clBlack);
    Press(w.Panel163);
    EXPECT_FALSE(w.FareGridColumns[0]->Enabled()) << "the fields were not unlocked again";
    EXPECT_EQ(w.TariffSelPanels[w.CurrentTariff]->Color(), clBlack);
}

TEST_F(DispatchTest, MinimiseAndClearResults) {
    TForm1 &w = Create();
    w.Show();
    Press(w.Panel34);
    EXPECT_TRUE(Application->Minimized());

    w.FareRowStore[evaluation::kTimeNom][0][0] = "12";
    w.FareGridColumns[0]->SetText("12");
    Press(w.Panel163);  // "USUŃ wyniki" is offered in the setting mode on the results page
    Press(w.Panel159);
    ASSERT_TRUE(w.Panel8->Showing());
    Press(w.Panel8);
    EXPECT_EQ(w.FareGridColumns[0]->Text(), "---");
    EXPECT_EQ(w.FareRowStore[evaluation::kTimeNom][0][0], "---");
}

TEST_F(DispatchTest, TheKeyboardAndTheInspectionNoticeCloseWithTheirButtons) {
    TForm1 &w = Create();
    w.SetPanelKey(false, 0, "abc");
    EXPECT_TRUE(w.Panel171->Visible());
    EXPECT_FALSE(w.Panel239->Visible());
    Press(w.Panel225);
    EXPECT_FALSE(w.Panel171->Visible());
    EXPECT_TRUE(w.Panel239->Visible());

    w.Show();
    w.Panel278->Click();  // "Błąd oględzin" in verification mode
    EXPECT_TRUE(w.Panel279->Visible());
    EXPECT_FALSE(w.Panel239->Enabled());
    Press(w.Panel280);
    EXPECT_FALSE(w.Panel279->Visible());
    EXPECT_TRUE(w.Panel239->Enabled());
    EXPECT_TRUE(w.Memo1->Focused()) << "the fault is described in the remarks";
}

TEST_F(DispatchTest, TheScannerScreenOpensAndReturnsToTheTariffThatWasCurrent) {
    TForm1 &w = Create();
    Press(w.Panel157);  // the first tariff page
    w.UpdatePnelTaryf(2);
    w.QrScanState = 3;
    Press(w.Panel229);
    EXPECT_TRUE(w.Panel228->Visible());
    EXPECT_FALSE(w.Panel239->Visible());
    EXPECT_TRUE(w.Timer9->Enabled());
    EXPECT_EQ(w.QrScanState, 0);
    Press(w.Panel230);
    EXPECT_FALSE(w.Panel228->Visible());
    EXPECT_TRUE(w.Panel239->Visible());
    EXPECT_FALSE(w.Timer9->Enabled());
    EXPECT_EQ(w.CurrentTariff, 2);
    EXPECT_EQ(w.TariffSelPanels[2]->Color(), clWhite);
}

}  // namespace
