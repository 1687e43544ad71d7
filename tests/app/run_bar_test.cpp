// The measuring-run bar: opening, counting, closing with "STOP", and the re-identification timer.
#include "app/run_bar_steps.h"
#include "tests/app/shell_fixture.h"

namespace {

using RunBarTest = ShellTest;

TEST_F(RunBarTest, ARunOpensTheBarOverADisabledMainScreenOnTheParametersPage) {
    TForm1 &w = Create();
    Press(w.Panel160);
    w.Timer13->SetEnabled(true);
    w.DistanceTestDone = 1;
    w.TestPelgrivator(1);

    EXPECT_TRUE(w.Panel165->Visible());
    EXPECT_TRUE(w.Panel167->Visible());
    EXPECT_EQ(w.Panel167->Left() + w.Panel167->Width(), w.Panel165->Left() + w.Panel165->Width());
    EXPECT_EQ(w.Panel167->Top(), w.Panel165->Top());
    EXPECT_EQ(w.Panel167->Parent(), &w) << "STOP lies outside the disabled main screen";
    EXPECT_FALSE(w.Panel239->Enabled());
    EXPECT_TRUE(w.Timer7->Enabled());
    EXPECT_FALSE(w.Timer13->Enabled());
    EXPECT_EQ(w.DistanceTestDone, 0);
    EXPECT_EQ(w.Label112->Caption(), "TEST");
    EXPECT_EQ(w.CurrentPage, 0);
    EXPECT_TRUE(w.Panel241->Visible());
    EXPECT_EQ(w.Panel156->Color(), clWhite);

    Press(w.Panel161);  // the tabs lie on the disabled screen
    EXPECT_EQ(w.CurrentPage, 0);
}

TEST_F(RunBarTest, AutoLegDecidesWhetherTheRunStartsANewJob) {
    for (TColor autoLeg : {clBlack, clWhite}) {
        TForm1 &w = Create();
        w.Panel392->SetColor(autoLeg);
        w.LegResetPending = 0;
        w.StalaStTaryf[0] = "1000";
        w.TestPelgrivator(1);
        w.Legalizacja(1);  // as the dispatcher does right after opening the bar
        EXPECT_EQ(w.StalaStTaryf[0], autoLeg == clBlack ? "---" : "1000") << std::hex << autoLeg;
        form.reset();
    }
}

TEST_F(RunBarTest, ASecondStartWhileTheBarIsOpenChangesNothing) {
    TForm1 &w = Create();
    w.Panel392->SetColor(clBlack);
    w.TestPelgrivator(1);
    ASSERT_EQ(w.LegResetPending, 1);
    w.Panel392->SetColor(clWhite);
    w.Timer8->SetEnabled(true);
    w.TestPelgrivator(1);
    EXPECT_EQ(w.LegResetPending, 1);
    EXPECT_EQ(w.Label112->Caption(), "TEST");
    EXPECT_TRUE(w.Panel165->Visible());
}

TEST_F(RunBarTest, AReplayReadsPlikAndALiveMeterOpensTheCourseDisplay) {
    struct Case {
        bool replay;
        TColor meterStatus;
        const char *caption;
        int shownPage;
    };
    for (const Case &c : {Case{true, clGreen, "PLIK", 0}, Case{false, clGreen, "TEST", 7},
                          Case{false, clRed, "TEST", 0}}) {
        TForm1 &w = Create();
        w.Timer8->SetEnabled(c.replay);
        w.Panel393->SetColor(c.meterStatus);
        w.TestPelgrivator(1);
        EXPECT_EQ(w.Label112->Caption(), c.caption);
        EXPECT_EQ(w.Panel394->Visible(), c.shownPage == 7) << c.caption;
        EXPECT_EQ(w.Panel241->Visible(), c.shownPage == 0) << c.caption;
        if (c.shownPage == 7) {
            EXPECT_EQ(w.Panel156->Color(), clNavy) << "the course display selects no tab";
        }
        form.reset();
    }
}

TEST_F(RunBarTest, TheProgressBarStepsEverySecondAndWrapsAfterAHundred) {
    TForm1 &w = Create();
    w.TestPelgrivator(1);
    gui::AdvanceTime(999);
    EXPECT_EQ(w.ProgressBar1->Position(), 0);
    gui::AdvanceTime(9001);
    EXPECT_EQ(w.ProgressBar1->Position(), 100);
    gui::AdvanceTime(1000);
    EXPECT_EQ(w.ProgressBar1->Position(), 0);
}

TEST_F(RunBarTest, StopClosesTheBarAndTheInterfaceIsAskedAgainASecondLater) {
    TForm1 &w = Create();
    w.TestPelgrivator(1);
    w.EnableButton(0);
    w.TestReturn = 1;
    w.MidReadoutPending = 0;
    w.InterfaceIdReceived = 1;
    w.Panel169->Show();
    Press(w.Panel167);

    EXPECT_FALSE(w.Panel165->Visible());
    EXPECT_FALSE(w.Panel167->Visible());
    EXPECT_FALSE(w.Panel169->Visible());
    EXPECT_TRUE(w.Panel239->Enabled());
    EXPECT_FALSE(w.Timer7->Enabled());
    EXPECT_EQ(w.TestReturn, 0);
    EXPECT_EQ(w.MidReadoutPending, 1);
    for (TControl *button : std::initializer_list<TControl *>{w.ButtonPanels[13], w.ButtonPanels[64],
                                                             w.TariffSelPanels[7], w.Panel126, w.Panel127})
        EXPECT_TRUE(button->Enabled()) << button->Name().toStdString();

    EXPECT_TRUE(w.Timer13->Enabled());
    gui::AdvanceTime(1000);
    EXPECT_FALSE(w.Timer13->Enabled()) << "one shot";
    EXPECT_EQ(w.InterfaceIdReceived, 0);
}

TEST_F(RunBarTest, DisablingTheButtonsLeavesStopUsable) {
    TForm1 &w = Create();
    w.EnableButton(0);
    EXPECT_TRUE(w.ButtonPanels[22]->Enabled());
    EXPECT_FALSE(w.ButtonPanels[21]->Enabled());
    EXPECT_FALSE(w.TariffSelPanels[0]->Enabled());
    EXPECT_FALSE(w.Panel127->Enabled());
}

TEST(RunBarDate, DatesHaveTwoDigitMonthsAndDays) {
    EXPECT_EQ(shell::DateText(2024, 3, 5), "2024-03-05");
    EXPECT_EQ(shell::DateText(2024, 11, 12), "2024-11-12");
}

}  // namespace
