// Selecting tariffs and tests on the tariff screen and carrying the parameter edits into the stores.
#include <string>

#include "evaluation/window/tariff_screen_fixture.h"

namespace {

using namespace evaluation;

// Gives every slot and test distinct stored cells: "<test>:<slot>:<row>" and counters "<test>c<slot>".
void FillStores(TForm1 &w) {
    for (int slot = 0; slot < kSlots; ++slot)
        for (int row = 0; row < kMeasuringRows; ++row) {
            const std::string at = ":" + std::to_string(slot) + ":" + std::to_string(row);
            w.FareRowStore[kTimeNom][slot][row] = "tn" + at;
            w.FareRowStore[kDistanceNom][slot][row] = "dn" + at;
            w.FareGridStore[kTimeTest][kUnits][slot][row] = "tu" + at;
            w.FareGridStore[kDistanceTest][kUnits][slot][row] = "du" + at;
        }
    for (int test : {kTimeTest, kDistanceTest})
        for (int row : {kStart, kEnd})
            for (int c = 0; c < kCounters; ++c)
                for (int slot = 0; slot < kSlots; ++slot)
                    w.CounterStore[test][row][c][slot] =
                        std::to_string(test) + "c" + std::to_string(row) + std::to_string(c) + ":" + std::to_string(slot);
}

TEST_F(TariffScreen, SelectingATariffAndATestShowsThatSlotsStoredCells) {
    FillStores(*w);
    struct Case {
        int layoutBase, tariff;
        bool distance;
    };
    for (const Case c : {Case{0, 0, false}, Case{0, 5, true}, Case{8, 2, false}, Case{8, 7, true}}) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layoutBase << " tariff " << c.tariff);
        w->LayoutBase = c.layoutBase;
        if (c.distance)
            w->Panel127->Click();
        else
            w->Panel126->Click();
        Select(c.tariff);
        const int slot = c.layoutBase + c.tariff;
        const QString nomPrefix = c.distance ? "dn" : "tn", unitsPrefix = c.distance ? "du" : "tu";
        for (int row : {0, 9}) {
            const QString at = QString(":%1:%2").arg(slot).arg(row);
            EXPECT_EQ(Nom(row), nomPrefix + at);
            EXPECT_EQ(Units(row), unitsPrefix + at);
        }
        const QString test = c.distance ? "1" : "0";
        EXPECT_EQ(Counter(kStart, 0), test + QString("c00:%1").arg(slot));
        EXPECT_EQ(Counter(kEnd, 7), test + QString("c17:%1").arg(slot));
        EXPECT_EQ(w->CurrentTariff, c.tariff);
        for (int t = 0; t < 8; ++t)
            EXPECT_EQ(w->TariffSelPanels[t]->Color(), t == c.tariff ? clWhite : clBtnShadow);
        EXPECT_EQ(w->Panel126->Color(), c.distance ? clBtnShadow : clWhite);
        EXPECT_EQ(w->Panel127->Color(), c.distance ? clWhite : clBtnShadow);
        EXPECT_EQ(w->Label336->Caption(), c.distance ? "OBLICZANIE OPŁATY Z DROGI" : "OBLICZANIE OPŁATY Z CZASU");
    }
}

TEST_F(TariffScreen, ClickingTheSelectedTariffOrTestReloadsNothing) {
    FillStores(*w);
    w->Panel126->Click();
    Select(3);
    w->FareRowStore[kTimeNom][3][0] = "changed";
    w->TariffSelPanels[3]->Click();
    w->UpdatePnelTaryf(3);
    w->Panel126->Click();
    EXPECT_EQ(Nom(0), "tn:3:0");
}

TEST_F(TariffScreen, TestedSlotsHaveGreenButtonsOnBothLayouts) {
    w->TestedTariffNames[2] = "12";
    w->TestedTariffNames[8 + 5] = "32";
    for (int layout : {0, 8}) {
        w->LayoutBase = layout;
        Select(0);
        for (int t = 0; t < 8; ++t)
            EXPECT_EQ(w->TariffSelPanels[t]->Font().Color(), w->TestedTariffNames[layout + t].isEmpty() ? clBlack : clGreen)
                << "layout " << layout << " tariff " << t;
    }
}

TEST_F(TariffScreen, RecalculationStoresTheCurrentTariffsEditsInItsSlot) {
    w->LayoutBase = 8;
    w->MeterFamily = 1;
    w->ApprovalRegime = 1;
    Select(2);
    const char *values[] = {"8,00", "3,00", "60,00", "500", "30", "40", "0,5"};
    for (int row = kOplP; row <= kOpw; ++row) w->TariffPanelEdits[8 * row + 2]->SetText(values[row]);
    w->TariffJdoplEdits[2]->SetText("1,50");
    w->TariffActivePanels[4]->SetColor(clBlack);
    w->TariffActivePanels[5]->SetColor(clWhite);
    w->Edit29->SetText("2000");
    w->Edit108->SetText("X");
    w->PrzeliczWyniki();
    for (int row = kOplP; row <= kOpw; ++row) EXPECT_EQ(w->TariffParams[row][10], values[row]) << row;
    EXPECT_EQ(w->TariffParams[kOplD][2], "---");  // the first layout's slot is untouched
    EXPECT_EQ(w->TariffJdoplaty[10], "1,50");
    EXPECT_EQ(w->TariffEnabledFlags[12], 1);
    EXPECT_EQ(w->TariffEnabledFlags[13], 0);
    EXPECT_EQ(w->StalaStTaryf[10], "2000");
    EXPECT_EQ(w->Edit108->Text(), "S");
}

TEST_F(TariffScreen, ReloadingDoesNotStoreEditsBack) {
    Select(1);
    w->RecalcGuard = 0;
    w->TariffJdoplEdits[1]->SetText("9,99");
    w->Edit108->SetText("X");
    w->PrzeliczWyniki();
    EXPECT_NE(w->TariffJdoplaty[1], "9,99");
    EXPECT_EQ(w->Edit108->Text(), "X");
}

TEST_F(TariffScreen, ParameterChangeStoresAndReselectsTheShownTariff) {
    Select(4);
    w->TariffJdoplEdits[4]->SetText("2,00");
    w->Edit98Change(w->Edit98);
    EXPECT_EQ(w->TariffJdoplaty[4], "2,00");
    EXPECT_EQ(w->CurrentTariff, 4);
    EXPECT_EQ(w->TariffSelPanels[4]->Color(), clWhite);
    EXPECT_EQ(w->TariffJdoplEdits[4]->Text(), "2,00");
    EXPECT_EQ(w->RecalcGuard, 1);
}

TEST_F(TariffScreen, SimulatedDatabaseWhenAnySlotHasADistance) {
    EXPECT_FALSE(w->CzySymulacjaBazy());
    for (float distance : {0.001F, -5.0F}) {
        w->SlotTotalDistance = {};
        w->SlotTotalDistance[15] = distance;
        EXPECT_TRUE(w->CzySymulacjaBazy()) << distance;
    }
}

}  // namespace
