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
    w->EnableTaryfy(true);
    EXPECT_TRUE(w->TariffParamEdits[8 * kOplD + 3]->Enabled());
}

}  // namespace
