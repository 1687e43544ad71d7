// The tariff buttons, the locks of the tariff page, the test switch, the set-speed display and the
// order in which loaded, scanned and typed values reach the stores.
#include "evaluation/window/tariff_screen_fixture.h"
#include "platform/runtime/numbers.h"

namespace {

using namespace evaluation;

class TariffPanels : public TariffScreen {
protected:
    void SetUp() override {
        TariffScreen::SetUp();
        FormatSettings.DecimalSeparator = ',';
    }
    TEdit *Param(int row, int tariff) const { return w->TariffPanelEdits[8 * row + tariff]; }
    // Editable: enabled and pale green; locked: disabled and grey.
    static bool Editable(const TEdit *edit) {
        EXPECT_EQ(edit->Color(), edit->Enabled() ? clMoneyGreen : cl3DLight) << edit->Name().toStdString();
        return edit->Enabled();
    }
};

TEST_F(TariffPanels, TheSelectedTariffsFieldsAreEditableByRegimeAndFamilyAndTheOthersLocked) {
    struct Case {
        uint8_t family, regime;
        int tariff;
        bool oplP, dpsCps, opw, stcFirstPage;
    };
    const Case cases[] = {
        {1, 1, 0, true, true, false, false},  {1, 0, 0, true, false, true, true},
        {0, 1, 5, false, true, false, false}, {1, 1, 5, true, true, false, false},
        {0, 0, 2, true, false, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << int{c.family} << " regime " << int{c.regime} << " tariff "
                                        << c.tariff);
        w->MeterFamily = c.family;
        w->ApprovalRegime = c.regime;
        w->EnableTaryfy(true);
        const int other = (c.tariff + 1) % 8;
        w->TariffSelPanels[other]->Click();
        w->TariffSelPanels[c.tariff]->Click();
        EXPECT_EQ(w->CurrentTariff, c.tariff);
        EXPECT_TRUE(Editable(Param(kOplD, c.tariff)));
        EXPECT_TRUE(Editable(Param(kOplC, c.tariff)));
        EXPECT_TRUE(Editable(w->TariffJdoplEdits[c.tariff]));
        EXPECT_EQ(Editable(Param(kOplP, c.tariff)), c.oplP);
        EXPECT_EQ(Editable(Param(kDps, c.tariff)), c.dpsCps);
        EXPECT_EQ(Editable(Param(kCps, c.tariff)), c.dpsCps);
        EXPECT_EQ(Editable(Param(kOpw, c.tariff)), c.opw);
        for (int row : {kOplD, kOplC, kDps, kCps, kOpw}) EXPECT_FALSE(Editable(Param(row, other))) << row;
        EXPECT_FALSE(Editable(w->TariffJdoplEdits[other]));
        if (c.family == 1) {
            EXPECT_FALSE(Editable(Param(kOplP, other)));
        }
        if (c.tariff < 4) {
            EXPECT_TRUE(Editable(w->Edit98));
            EXPECT_EQ(Editable(w->Edit99), c.stcFirstPage);
            EXPECT_FALSE(Editable(w->Edit88));  // the second page's group edits are locked
        } else {
            EXPECT_EQ(Editable(w->Edit88), c.family == 1);
            EXPECT_FALSE(Editable(w->Edit96));
        }
        for (TPanel *flag : w->TariffActivePanels) EXPECT_TRUE(flag->Enabled());
    }
}

TEST_F(TariffPanels, WithoutAWorkingModeTheFlagsAndUnitsAreLockedAndTheFieldsKeepTheirState) {
    w->Panel162->SetColor(clInactiveCaptionText);
    w->Panel163->SetColor(clInactiveCaptionText);
    w->TariffSelPanels[2]->Click();
    w->EnableTaryfy(true);
    w->TariffSelPanels[3]->Click();
    EXPECT_TRUE(Param(kOplD, 3)->Enabled());  // left as it was
    EXPECT_FALSE(Editable(Param(kOplD, 2)));
    for (TPanel *flag : w->TariffActivePanels) EXPECT_FALSE(flag->Enabled());
    EXPECT_FALSE(Editable(w->Edit98));
    EXPECT_FALSE(Editable(w->Edit88));
}

TEST_F(TariffPanels, TheTestSwitchRenamesTheHeadingsAndKeepsEachTestsCells) {
    w->Legalizacja(0);
    Select(0);
    struct Caption {
        TLabel *label;
        const char *time, *distance;
    };
    const Caption captions[] = {{w->Label336, "OBLICZANIE OPŁATY Z CZASU", "OBLICZANIE OPŁATY Z DROGI"},
                                {w->Label7, "CZAS", "DROGA"},
                                {w->Label404, "[s]", "NOM."},
                                {w->Label405, "[s]", "[m]"},
                                {w->Label407, "[s]", "[m]"},
                                {w->Label342, "[s]", "[m]"},
                                {w->Label401, "CZAS PŁATNY [s]", "DROGA PŁATNA"},
                                {w->Label406, "BŁĄD CZASU", "BŁĄD DROGI"},
                                {w->Label402, "Poprawny", "Poprawna"},
                                {w->Label403, "Nominalny", "Nominalna"}};
    w->Panel126->Click();
    Type(w->FareGridColumns[0]->Widget(), "12");
    w->Panel127->Click();
    for (const Caption &c : captions) EXPECT_EQ(c.label->Caption(), c.distance) << c.time;
    EXPECT_EQ(w->Panel127->Caption(), "* droga");
    EXPECT_EQ(Nom(0), "---");
    Type(w->FareGridColumns[0]->Widget(), "7");
    w->Panel126->Click();
    for (const Caption &c : captions) EXPECT_EQ(c.label->Caption(), c.time) << c.time;
    EXPECT_EQ(w->Panel126->Caption(), "* czas");
    EXPECT_EQ(Nom(0), "---12");  // typed after the shown "---"
    w->Panel127->Click();
    EXPECT_EQ(Nom(0), "---7");
}

TEST_F(TariffPanels, SetSpeedDisplayShowsTheDevicesSpeedInTheTimeTest) {
    w->Edit108->SetText("S");
    w->TariffVgp[2] = 40.0F;
    w->SlotDeviceByte[2] = 50;
    struct Case {
        bool distance;
        uint8_t czasX10;
        bool fromVehicle;
        const char *shown;  // nullptr: hidden
    };
    for (const Case c : {Case{false, 0, false, "20,00"}, Case{false, 1, false, "200,00"}, Case{true, 0, false, nullptr},
                         Case{false, 0, true, nullptr}}) {
        SCOPED_TRACE(testing::Message() << c.distance << int{c.czasX10} << c.fromVehicle);
        w->CzasX10 = c.czasX10;
        w->LayoutChangeTestMask = c.fromVehicle ? 1U << 2 : 0;
        Select(2);
        w->SetSpeedTest(c.distance ? kDistanceTest : kTimeTest);
        EXPECT_EQ(w->Edit394->Visible(), c.shown != nullptr);
        if (c.shown) {
            EXPECT_EQ(w->Edit394->Text(), c.shown);
        }
        EXPECT_EQ(w->Edit29->Visible(), c.shown == nullptr);
        EXPECT_EQ(w->Label365->Visible(), !c.fromVehicle);
        for (int t = 0; t < 8; ++t)
            EXPECT_EQ(Param(kVset, t)->Visible(), t == 2 && c.distance && !c.fromVehicle) << t;
    }
}

TEST_F(TariffPanels, ScannedTariffsWithAllFourStepsAreActive) {
    for (int t = 0; t < 8; ++t)
        for (int row : {kOplD, kOplC, kDps, kCps}) Param(row, t)->SetText(t % 3 == 0 && row == kCps ? "---" : "1");
    w->SetPaneleAktywnaQR();
    for (int t = 0; t < 8; ++t) EXPECT_EQ(w->TariffEnabledFlags[t], t % 3 == 0 ? 0 : 1) << t;
    w->Panel342->SetColor(clWhite);  // the layout change: the copy of the viewed layout
    w->ZmianaView = 1;
    w->SetPaneleAktywnaQR();
    EXPECT_EQ(w->ZuEnabledFlagsAfter[1], 1);
    EXPECT_EQ(w->ZuEnabledFlagsAfter[3], 0);
}

// A job loader writes the stores and selects a tariff; the evaluation shows STC as "---" under MID
// and derives Dps and Cps under ZT, but a later parameter change never undoes what was loaded.
TEST_F(TariffPanels, LoadedValuesAreShownAndSurviveTheEvaluationAndLaterChanges) {
    w->Legalizacja(0);
    w->MeterFamily = 1;
    w->ApprovalRegime = 1;
    const char *loaded[] = {"5,00", "2,00", "36,00", "1000", "120", "30", "0,5"};
    for (int slot : {0, 1}) {
        for (int row = kOplP; row <= kOpw; ++row) w->TariffParams[row][slot] = loaded[row];
        w->TariffJdoplaty[slot] = "1,00";
        w->TariffEnabledFlags[slot] = 1;
    }
    w->TariffGroupUnits[kJT][0] = "1,00";
    w->TariffGroupUnits[kSTC][0] = "10";
    w->TariffGroupTexts[0] = {"2026-01-01", "2027-01-01"};
    Select(1);
    for (int row = kOplP; row <= kOpw; ++row) EXPECT_EQ(Param(row, 1)->Text(), loaded[row]) << row;
    EXPECT_EQ(w->Edit98->Text(), "1,00");
    EXPECT_EQ(w->Edit99->Text(), "---");  // MID: no tariff constant
    EXPECT_EQ(w->TariffParamEdits[8 * kPageVgp + 8 * kDns + 1]->Text(), "500,000");
    EXPECT_EQ(w->TariffActivePanels[1]->Color(), clBlack);
    EXPECT_EQ(w->Label220->Caption(), "UKŁAD TARYF AKTYWNY od 2026-01-01 do 2027-01-01");
    EXPECT_EQ(w->Label219->Caption(), w->Label220->Caption());

    Type(Param(kOplC, 1)->Widget(), "0");  // the operator changes OpłC to 36,000
    EXPECT_EQ(w->TariffParams[kOplC][1], "36,000");
    EXPECT_EQ(w->TariffGroupUnits[kSTC][0], "10");
    EXPECT_EQ(w->TariffParams[kOplD][0], "2,00");  // the other tariff keeps its loaded values
    Select(0);
    EXPECT_EQ(Param(kDps, 0)->Text(), "1000");

    w->ApprovalRegime = 0;  // under ZT the tariff constant is shown and Dps follows from it
    Select(0);
    EXPECT_EQ(w->Edit99->Text(), "10");
    EXPECT_EQ(Param(kDps, 0)->Text(), "5000,000");
}

TEST_F(TariffPanels, JtTypedWithFeePerKilometreGivesTheDistanceStep) {
    w->Legalizacja(0);
    w->Show();
    w->PageFunction(1);
    w->TariffSelPanels[0]->Click();
    w->Edit40->Widget()->setFocus();
    for (TEdit *edit : {w->Edit98, w->Edit40}) edit->SetText("");
    Type(w->Edit98->Widget(), "1,00");
    Type(w->Edit40->Widget(), "2,00");
    EXPECT_EQ(w->Edit43->Text(), "500,000");
    EXPECT_EQ(w->TariffGroupUnits[kJT][0], "1,00");
    EXPECT_EQ(w->TariffParams[kOplD][0], "2,00");
}

TEST_F(TariffPanels, RecalculationTurnsAnUnknownModeIntoS) {
    Select(0);
    w->Edit108->SetText("X");
    Type(Param(kOplD, 0)->Widget(), "1");
    EXPECT_EQ(w->Edit108->Text(), "S");
}

TEST_F(TariffPanels, TheSlotPickerStoresTheResultsInTheChosenSlot) {
    w->ResultsAccepted = 1;
    w->ResultsSystem = 0;
    w->MeterFamily = 0;
    w->DeviceRowPairs[0][0] = "120";
    w->DeviceRowPairs[0][1] = "1";
    w->Panel325->Show();
    w->Panel239->SetEnabled(false);
    w->TestTariffSel = 3;
    w->ButtonPanelIndexByte = 0;
    w->ClickButton(11, 40, 0, 0);
    gui::AdvanceTime(200);
    EXPECT_EQ(w->LayoutBase, 8);
    EXPECT_EQ(w->CurrentTariff, 3);
    EXPECT_EQ(w->FareRowStore[kTimeNom][11][0], "120");
    EXPECT_FALSE(w->Panel325->Visible());
    EXPECT_TRUE(w->Panel239->Enabled());
    EXPECT_EQ(w->TestTariffSel, 0xFF);
    EXPECT_EQ(w->ButtonPanelIndexByte, 0);
}

TEST_F(TariffPanels, ChecklistClicksCycleTheMarkAndTheVerdictFollows) {
    w->Edit8->SetText("1,");
    w->GetPrzekroczenie();
    EXPECT_EQ(w->VerdictStatus, 0);
    const char *marks[] = {"-", "ND", "+"};
    for (const char *mark : marks) {
        w->Panel292->Click();  // item 1a
        EXPECT_EQ(w->Panel292->Caption(), mark);
        EXPECT_EQ(w->VerdictStatus, std::string(mark) == "-" ? kVerdictInspection : 0) << mark;
    }
    w->Panel69->Click();  // item 15b starts "ND"
    w->Panel69->Click();
    w->Panel381->Click();
    EXPECT_EQ(w->Memo1->Lines()[2], "błąd oględzin (15bf)");
}

}  // namespace
