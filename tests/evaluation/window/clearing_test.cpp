// Clearing the measured results and counters, and locking groups of fields.
#include "evaluation/window/tariff_screen_fixture.h"

namespace {

using namespace evaluation;

TEST_F(TariffScreen, ClearedResultsShowDashesInEverySlotAndTest) {
    for (int slot = 0; slot < kSlots; ++slot) {
        w->FareRowStore[kTimeNom][slot].fill("5");
        w->FareRowStore[kDistanceNom][slot].fill("7");
        w->FareGridStore[kTimeTest][kUnits][slot].fill("1");
        w->FareGridStore[kDistanceTest][kUnits][slot].fill("2");
        w->TestedTariffNames[slot] = "1";
    }
    w->DeviceRowPairs[0][3] = "12";
    w->SlotTotalDistance[4] = 100;
    w->UsunWyniki();
    for (int layout : {0, 8})
        for (int tariff = 0; tariff < 8; ++tariff)
            for (bool distance : {false, true}) {
                w->LayoutBase = layout;
                if (distance)
                    w->FunctionDroga();
                else
                    w->FunctionCzas();
                Select(tariff);
                for (int row = 0; row < kMeasuringRows; ++row) {
                    ASSERT_EQ(Nom(row), "---") << layout + tariff << " row " << row;
                    ASSERT_EQ(Units(row), "---") << layout + tariff << " row " << row;
                }
            }
    for (const QString &name : w->TestedTariffNames) EXPECT_TRUE(name.isEmpty());
    EXPECT_EQ(w->TariffPanelEdits[8 * kVset + 6]->Text(), "---");
    EXPECT_EQ(w->DeviceRowPairs[0][3], "---");
    EXPECT_FALSE(w->CzySymulacjaBazy());
}

TEST_F(TariffScreen, ClearedCountersShowDashesForBothTests) {
    w->CounterStore[kDistanceTest][kEnd][6][11] = "42";
    w->CounterEdits[8 * kRealised + 3]->SetText("8");
    w->UsunLiczniki();
    EXPECT_EQ(Counter(kRealised, 3), "---");
    w->LayoutBase = 8;
    w->FunctionDroga();
    Select(3);
    EXPECT_EQ(Counter(kEnd, 6), "---");
}

TEST_F(TariffScreen, LockingTheMeasuredFieldsCoversGridCountersAndStationConstant) {
    for (bool on : {false, true}) {
        w->EnableWynikiLiczniki(on);
        for (int row : {0, 9}) {
            EXPECT_EQ(w->FareGridColumns[row]->Enabled(), on);
            EXPECT_EQ(w->FareGridColumns[kGridRows + row]->Enabled(), on);
        }
        EXPECT_EQ(w->CounterEdits[8 * kStart]->Enabled(), on);
        EXPECT_EQ(w->CounterEdits[8 * kEnd + 7]->Enabled(), on);
        EXPECT_EQ(w->Edit29->Enabled(), on);
        EXPECT_EQ(w->TariffPanelEdits[8 * kVset + 4]->Enabled(), on);
        EXPECT_EQ(w->Edit524->Enabled(), on);
    }
    w->EnableWynikiLiczniki(true);
    w->EnableLiczniki(false);
    EXPECT_FALSE(w->CounterEdits[8 * kEnd + 2]->Enabled());
    EXPECT_TRUE(w->FareGridColumns[0]->Enabled());
}

TEST_F(TariffScreen, LockingTheTariffsCoversParametersJdoplatyAndFlags) {
    w->EnableTaryfy(false);
    EXPECT_FALSE(w->TariffParamEdits[8 * kOplD + 3]->Enabled());
    EXPECT_FALSE(w->TariffJdoplEdits[7]->Enabled());
    EXPECT_FALSE(w->TariffActivePanels[0]->Enabled());
    EXPECT_FALSE(w->Edit481->Enabled());  // the distance in the hired-off position
    w->EnableTaryfy(true);
    EXPECT_TRUE(w->TariffParamEdits[8 * kOplD + 3]->Enabled());
}

TEST_F(TariffScreen, ClearedTariffsLeaveNoValueOrFlagOfAnyTariffOnBothLayouts) {
    for (TEdit *edit : w->TariffParamEdits) edit->SetText("7");
    for (TEdit *edit : w->TariffPanelEdits) edit->SetText("7");
    for (TEdit *edit : w->TariffJdoplEdits) edit->SetText("7");
    for (int slot = 0; slot < kSlots; ++slot) {
        for (auto &row : w->TariffParams) row[slot] = "7";
        for (auto &row : w->TariffSpeedParams) row[slot] = "7";
        w->TariffJdoplaty[slot] = "7";
        w->TariffEnabledFlags[slot] = 1;
        w->TariffCheckFlags[slot] = 1;
    }
    for (auto &row : w->TariffGroupUnits) row.fill("7");
    for (auto &dates : w->TariffGroupTexts) dates.fill("2026-01-01");
    for (TPanel *panel : w->TariffActivePanels) panel->SetColor(clBlack);
    for (TCheckBox *box : w->TariffCheckBoxes) box->SetChecked(true);

    w->UsunTaryfy();

    for (int slot = 0; slot < kSlots; ++slot) {
        for (int row = kOplP; row <= kOpw; ++row) EXPECT_EQ(w->TariffParams[row][slot], "---") << row << " " << slot;
        for (int row = kVgp; row <= kCns; ++row) EXPECT_EQ(w->TariffSpeedParams[row][slot], "---") << row << " " << slot;
        EXPECT_EQ(w->TariffJdoplaty[slot], "---") << slot;
        EXPECT_EQ(w->TariffEnabledFlags[slot], 0) << slot;
        EXPECT_EQ(w->TariffCheckFlags[slot], 0) << slot;
    }
    for (const auto &row : w->TariffGroupUnits)
        for (const std::string &unit : row) EXPECT_EQ(unit, "---");
    for (const auto &dates : w->TariffGroupTexts)
        for (const QString &date : dates) EXPECT_EQ(date, "---");
    for (TEdit *edit : w->TariffParamEdits) EXPECT_EQ(edit->Text(), "---") << edit->Name().toStdString();
    for (int row = kOplP; row <= kVset; ++row)
        for (int t = 0; t < 8; ++t) EXPECT_EQ(w->TariffPanelEdits[8 * row + t]->Text(), "---") << row << " " << t;
    for (TEdit *edit : w->TariffJdoplEdits) EXPECT_EQ(edit->Text(), "---");
    for (TPanel *panel : w->TariffActivePanels) EXPECT_EQ(panel->Color(), clWhite);
    for (TCheckBox *box : w->TariffCheckBoxes) EXPECT_FALSE(box->Checked());
    // Selecting any tariff of either layout afterwards shows nothing of the previous taximeter.
    for (int layout : {0, 8}) {
        w->LayoutBase = layout;
        Select(layout == 0 ? 2 : 6);
        for (int row = kOplP; row <= kOpw; ++row)
            EXPECT_EQ(w->TariffPanelEdits[8 * row + w->CurrentTariff]->Text(), "---") << layout << " row " << row;
    }
}

TEST_F(TariffScreen, ClearedJobListShowsDashesInTheFirstThreeColumnsOnly) {
    for (TLabel *label : w->JobListLabels) label->SetCaption("x");
    w->ClearPaneDB();
    for (int column = 0; column < 5; ++column)
        for (int row : {0, 19})
            EXPECT_EQ(w->JobListLabels[20 * column + row]->Caption(), column < 3 ? "---" : "") << column << " " << row;
}

TEST_F(TariffScreen, LockingTheJobsParametersCoversChecklistCommandsMarksAndIdentity) {
    std::vector<TControl *> listed{w->InspectionItemPanels[0], w->InspectionItemPanels[33], w->ButtonPanels[39],
                                   w->ButtonPanels[54], w->Button4, w->Button15, w->Edit459, w->Edit464,
                                   w->Edit16, w->Edit449, w->Edit451, w->Edit456, w->Memo1, w->Memo2,
                                   w->Memo3, w->Memo4, w->Panel28, w->Panel29, w->Edit437, w->Edit448,
                                   w->Edit108, w->Edit107, w->Button2, w->Button3, w->Button16, w->Edit482};
    for (bool on : {false, true}) {
        w->EnableParametry(on);
        for (TControl *control : listed) EXPECT_EQ(control->Enabled(), on) << control->Name().toStdString();
    }
    // Fields outside the job's parameters keep their state.
    w->Edit8->SetEnabled(true);
    w->ButtonPanels[38]->SetEnabled(true);
    w->EnableParametry(false);
    EXPECT_TRUE(w->Edit8->Enabled());
    EXPECT_TRUE(w->ButtonPanels[38]->Enabled());
}

}  // namespace
