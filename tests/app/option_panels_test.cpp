// Option panels: tick panels and their captions flip, the version choices exclude each other, and
// the small handlers of the parameters and results pages.
#include "app/option_panels.h"

#include <initializer_list>

#include "platform/runtime/numbers.h"
#include "tests/app/screen_clicks.h"
#include "tests/app/shell_fixture.h"

namespace {

using OptionPanelsTest = ShellTest;

TEST_F(OptionPanelsTest, TickPanelsAndTheirCaptionsFlipByTheirRule) {
    TForm1 &w = Create();
    w.Show();
    struct Tick {
        TControl *clicked;
        TPanel *panel;
        TColor first;  // what a panel of neither colour becomes
    };
    const Tick ticks[] = {
        {w.Panel28, w.Panel28, clWhite},   {w.OptionCaptionAgreedPrice, w.Panel28, clWhite},
        {w.Panel29, w.Panel29, clWhite},   {w.OptionCaptionDiscount, w.Panel29, clWhite},
        {w.Panel246, w.Panel246, clWhite}, {w.Label153, w.Panel246, clWhite},
        {w.Panel247, w.Panel247, clWhite}, {w.Label152, w.Panel247, clWhite},
        {w.Panel248, w.Panel248, clWhite}, {w.Panel250, w.Panel250, clWhite},
        {w.Label86, w.Panel250, clWhite},  {w.Panel275, w.Panel275, clWhite},
        {w.Label161, w.Panel275, clWhite}, {w.Panel277, w.Panel277, clWhite},
        {w.Label163, w.Panel277, clWhite}, {w.Panel283, w.Panel283, clWhite},
        {w.Label170, w.Panel283, clWhite}, {w.Panel383, w.Panel383, clWhite},
        {w.Label425, w.Panel383, clWhite}, {w.Panel387, w.Panel387, clWhite},
        {w.Label451, w.Panel387, clWhite}, {w.Panel405, w.Panel405, clWhite},
        {w.Panel410, w.Panel410, clWhite}, {w.Panel282, w.Panel282, clWhite},
        {w.Panel323, w.Panel323, clBlack}, {w.Label225, w.Panel323, clBlack},
        {w.Panel392, w.Panel392, clBlack}, {w.Panel391, w.Panel392, clBlack},
    };
    for (const Tick &tick : ticks) {
        SCOPED_TRACE(tick.clicked->Name().toStdString());
        BringOnScreen(tick.clicked);
        tick.panel->SetColor(clGray);
        ClickOnScreen(w, tick.clicked);
        EXPECT_EQ(tick.panel->Color(), tick.first);
        const TColor second = tick.first == clWhite ? clBlack : clWhite;
        ClickOnScreen(w, tick.clicked);
        EXPECT_EQ(tick.panel->Color(), second);
        ClickOnScreen(w, tick.clicked);
        EXPECT_EQ(tick.panel->Color(), tick.first) << "two clicks restore the colour";
    }
    // Label453 is a swatch of the hidden service row; it forwards to "AUTO-Leg" like Panel391.
    w.Panel392->SetColor(clWhite);
    w.Label453->Click();
    EXPECT_EQ(w.Panel392->Color(), clBlack);
}

TEST_F(OptionPanelsTest, AutoLegStartsSetSoThatEveryRunStartsANewJob) {
    TForm1 &w = Create();
    EXPECT_EQ(w.Panel392->Color(), clBlack);
    w.TestPelgrivator(1);
    EXPECT_EQ(w.LegResetPending, 1);
}

TEST_F(OptionPanelsTest, TheVersionChoicesExcludeEachOther) {
    TForm1 &w = Create();
    w.Show();
    BringOnScreen(w.Panel7);
    ClickOnScreen(w, w.Label224);  // "Wersja B" of the certificate
    EXPECT_EQ(w.Panel322->Color(), clBlack);
    EXPECT_EQ(w.Panel321->Color(), clWhite);
    EXPECT_FALSE(w.Panel277->Visible());
    EXPECT_FALSE(w.Label163->Visible());
    for (TControl *versionA : std::initializer_list<TControl *>{w.Panel321, w.Label223, w.Label474}) {
        w.Panel322Click(w.Panel322);
        ClickOnScreen(w, versionA);
        EXPECT_EQ(w.Panel321->Color(), clBlack) << versionA->Name().toStdString();
        EXPECT_EQ(w.Panel322->Color(), clWhite);
        EXPECT_TRUE(w.Panel277->Visible());
        EXPECT_TRUE(w.Label163->Visible());
    }
    w.Panel323->SetColor(clBlack);
    ClickOnScreen(w, w.Label227);  // "Wersja B" of the annex
    EXPECT_EQ(w.Panel324->Color(), clBlack);
    EXPECT_EQ(w.Panel323->Color(), clWhite);

    w.Panel249->SetEnabled(false);
    ClickOnScreen(w, w.Label150);
    EXPECT_TRUE(w.Panel249->Enabled());
}

TEST_F(OptionPanelsTest, AnInspectionFaultAsksForItsDescriptionOnlyWhileAJobIsWorkedOn) {
    TForm1 &w = Create();
    w.Show();
    // Both modes unlit: a saved job is shown; nothing changes and the verdict is not evaluated.
    for (TPanel *mode : {w.Panel162, w.Panel163}) TForm1::SetLit(mode, false);
    w.Panel13->Font().SetColor(clBlue);
    ClickOnScreen(w, w.Panel278);
    EXPECT_EQ(w.Panel278->Color(), clWhite);
    EXPECT_FALSE(w.Panel279->Visible());
    EXPECT_EQ(w.Panel13->Font().Color(), clBlue);

    TForm1::SetLit(w.Panel162, true);
    ClickOnScreen(w, w.Panel278);
    EXPECT_EQ(w.Panel278->Color(), clBlack);
    EXPECT_FALSE(w.Panel239->Enabled());
    EXPECT_TRUE(w.Panel279->Visible());
    EXPECT_NE(w.Panel13->Font().Color(), clBlue) << "the verdict evaluated again";
    ClickOnScreen(w, w.Panel280);  // "OK"
    gui::AdvanceTime(200);
    EXPECT_TRUE(w.Panel239->Enabled());

    w.Panel13->Font().SetColor(clBlue);
    ClickOnScreen(w, w.Panel278);
    EXPECT_EQ(w.Panel278->Color(), clWhite);
    EXPECT_FALSE(w.Panel279->Visible());
    EXPECT_NE(w.Panel13->Font().Color(), clBlue);
}

TEST_F(OptionPanelsTest, RelativeToKAndBackRestoresTheNominalValues) {
    evaluation::EvaluationState stores;
    using namespace evaluation;
    for (int slot = 0; slot < kSlots; ++slot) {
        for (int row = 0; row < kGridRows; ++row) {
            stores.FareRowStore[kRelativeToK][slot][row] = "k" + std::to_string(slot * 100 + row);
            stores.FareRowStore[kDistanceNom][slot][row] = "n" + std::to_string(slot * 100 + row);
            stores.FareRowStore[kSavedNom][slot][row] = "old";
        }
    }
    shell::ExchangeRelativeToK(stores, 0);
    EXPECT_EQ(stores.FareRowStore[kDistanceNom][15][9], "k1509");
    EXPECT_EQ(stores.FareRowStore[kSavedNom][15][9], "n1509");
    EXPECT_EQ(stores.FareRowStore[kDistanceNom][15][10], "n1510") << "only the measuring rows";
    shell::ExchangeRelativeToK(stores, 1);
    for (int slot : {0, 7, 15}) {
        for (int row : {0, 9}) {
            const std::string nominal = "n" + std::to_string(slot * 100 + row);
            EXPECT_EQ(stores.FareRowStore[kDistanceNom][slot][row], nominal);
            EXPECT_EQ(stores.FareRowStore[kSavedNom][slot][row], nominal) << "the kept copy stays";
            EXPECT_EQ(stores.FareRowStore[kRelativeToK][slot][row], "k" + std::to_string(slot * 100 + row));
        }
    }
}

TEST_F(OptionPanelsTest, TheResultsPageOptionsSwitchAndRedrawTheCurrentTariff) {
    TForm1 &w = Create();
    w.Show();
    Press(w.Panel159);  // the results page
    w.FareRowStore[evaluation::kRelativeToK][0][0] = "0,98";
    w.FareRowStore[evaluation::kDistanceNom][0][0] = "1,00";
    w.CalcRelativeToK = 1;  // a run that reported results relative to k offers the option
    w.Panel127->Click();    // the distance test shows the nominal column in the grid
    ClickOnScreen(w, w.Panel409);
    EXPECT_EQ(w.Panel409->Color(), clBlack);
    EXPECT_EQ(w.FareGridColumns[0]->Text(), "0,98") << "the grid shows the values relative to k";
    EXPECT_EQ(w.TariffSelPanels[w.CurrentTariff]->Color(), clWhite);
    ClickOnScreen(w, w.Panel409);
    EXPECT_EQ(w.Panel409->Color(), clWhite);
    EXPECT_EQ(w.FareGridColumns[0]->Text(), "1,00");

    // "CZAS x10" starts neither white nor black: the first click clears it.
    w.CzasX10 = 1;
    ClickOnScreen(w, w.Panel388);
    EXPECT_EQ(w.CzasX10, 0);
    EXPECT_EQ(w.Panel388->Color(), clWhite);
    ClickOnScreen(w, w.Panel388);
    EXPECT_EQ(w.CzasX10, 1);
    EXPECT_EQ(w.Panel388->Color(), clBlack);
}

// The set-speed display of the time test follows "CZAS x10" at once (the option's first click
// clears it): the device's speed, or ten times it; the distance test shows no display, and the
// option leaves it so.
TEST_F(OptionPanelsTest, TheTimeFactorOptionRedrawsTheShownSetSpeed) {
    TForm1 &w = Create();
    w.Show();
    FormatSettings.DecimalSeparator = ',';
    w.Edit108->SetText("S");
    w.TariffVgp[0] = 40.0F;
    w.SlotDeviceByte[0] = 50;
    Press(w.Panel159);  // the results page, time test
    ASSERT_EQ(w.ShownTest(), evaluation::kTimeTest);
    ASSERT_EQ(w.Edit394->Text(), "20,00");
    struct Step {
        TPanel *test;
        const char *shown;  // nullptr: no display
    };
    for (const Step &step : {Step{w.Panel126, "20,00"}, Step{w.Panel126, "200,00"}, Step{w.Panel126, "20,00"},
                             Step{w.Panel127, nullptr}}) {
        ClickOnScreen(w, step.test);
        ClickOnScreen(w, w.Panel388);
        EXPECT_EQ(w.Edit394->Visible(), step.shown != nullptr);
        if (step.shown) {
            EXPECT_EQ(w.Edit394->Text(), step.shown);
        }
    }
}

TEST_F(OptionPanelsTest, TheWarningAndTheServicePanelHideOnAClick) {
    TForm1 &w = Create();
    w.Show();
    BringOnScreen(w.Panel169);
    ClickOnScreen(w, w.Panel169);
    EXPECT_FALSE(w.Panel169->Visible());

    for (TPanel *flag : w.TariffFlagPanels2) flag->Show();
    w.RadioButton1->SetChecked(false);
    w.Panel12->Click();
    for (TPanel *flag : w.TariffFlagPanels2) EXPECT_FALSE(flag->Visible()) << flag->Name().toStdString();
    EXPECT_TRUE(w.RadioButton1->Checked());
}

}  // namespace
