// Results of a measuring run stored into a slot: ZT blocks, parsed point results, totalisers.
#include <vector>

#include "evaluation/window/tariff_screen_fixture.h"
#include "platform/runtime/numbers.h"

namespace {

using namespace evaluation;

class MeasuredResults : public TariffScreen {
protected:
    void SetUp() override {
        TariffScreen::SetUp();
        FormatSettings.DecimalSeparator = ',';
        w->TariffPageCode = {'A', 'C', 'E', 'H'};
    }
    // Pairs "<base + r>" / "<r + 1>" in rows 0..9 of a DeviceRowPairs table.
    void FillPairs(int table, int base) {
        for (int r = 0; r < kMeasuringRows; ++r) {
            w->DeviceRowPairs[table][2 * r] = std::to_string(base + r);
            w->DeviceRowPairs[table][2 * r + 1] = std::to_string(r + 1);
        }
    }
};

TEST_F(MeasuredResults, ZtBlocksFillBothTestsOfTheirTariffAndMarkItTested) {
    w->MeterFamily = 1;
    w->Edit107->SetText("2000");
    const std::vector<uint8_t> entry{0x45, 0x23, 0x01, 0x00};  // 12345
    // Four blocks with entries: two distance blocks (tariffs 1, 2), then two time blocks.
    w->ZapiszWynikiZT(std::vector<uint8_t>{0, 2, 1, 2, 1, 0, 0, 0, 0});
    for (uint8_t number : {1, 4}) {
        std::vector<uint8_t> block{number};
        for (int k = 0; k < 2; ++k) block.insert(block.end(), entry.begin(), entry.end());
        w->ZapiszWynikiZT(block);
    }
    EXPECT_EQ(w->FareRowStore[kDistanceNom][0][0], "6172,500");
    EXPECT_EQ(w->FareRowStore[kDistanceNom][0][1], "6172,500");
    EXPECT_EQ(w->FareGridStore[kDistanceTest][kUnits][0][1], "2");
    EXPECT_EQ(w->FareRowStore[kTimeNom][1][0], "12,345");
    EXPECT_EQ(w->FareRowStore[kTimeNom][1][1], "---");  // block 4 announced one entry
    EXPECT_EQ(w->FareGridStore[kTimeTest][kUnits][1][0], "1");
    // The last block's tariff and test are shown.
    EXPECT_EQ(w->CurrentTariff, 1);
    EXPECT_EQ(w->Panel126->Color(), clWhite);
    EXPECT_EQ(Nom(0), "12,345");
    EXPECT_EQ(w->Edit8->Text(), "A1,A2,");
}

TEST_F(MeasuredResults, PointResultsGoToTheTestsOfTheirResultsSystem) {
    struct Case {
        uint8_t system, family;
        bool timeFilled, distanceFilled;
    };
    for (const Case c : {Case{0, 0, true, false}, Case{1, 0, false, true}, Case{2, 0, true, true},
                         Case{2, 1, true, true}}) {
        SCOPED_TRACE(testing::Message() << "system " << int{c.system} << " family " << int{c.family});
        w->UsunWyniki();
        w->MeterFamily = c.family;
        w->ResultsSystem = c.system;
        w->ResultsAccepted = 1;
        w->LayoutBase = 8;
        const int own = c.family == 1 ? 1 : 0;
        FillPairs(0 + own, 100);
        FillPairs(2 + own, 500);
        w->ZapiszWynikiFunkcja(3, false);
        EXPECT_EQ(w->FareRowStore[kTimeNom][11][4], c.timeFilled ? "104" : "---");
        EXPECT_EQ(w->FareGridStore[kTimeTest][kUnits][11][4], c.timeFilled ? "5" : "---");
        EXPECT_EQ(w->FareRowStore[kDistanceNom][11][9], c.distanceFilled ? "509" : "---");
        // The last test filled is the one shown; the pairs it used are gone.
        EXPECT_EQ(Nom(0), c.distanceFilled ? "500" : "100");
        EXPECT_EQ(w->DeviceRowPairs[c.distanceFilled ? 2 + own : own][0], "---");
        EXPECT_EQ(w->CurrentTariff, 3);
        EXPECT_FALSE(w->TestedTariffNames[c.family == 1 ? 11 : 3].isEmpty());
        EXPECT_FALSE(w->Edit8->Text().isEmpty());
    }
}

// A store with no point received since the last one (the readout that opens the next test) keeps
// the rows the slot's tests already hold.
TEST_F(MeasuredResults, AStoreWithoutNewPointsKeepsTheStoredRows) {
    for (const uint8_t family : {uint8_t{0}, uint8_t{1}}) {
        SCOPED_TRACE(testing::Message() << "family " << int{family});
        w->UsunWyniki();
        w->MeterFamily = family;
        w->ResultsAccepted = 1;
        w->LayoutBase = 0;
        w->ResultsSystem = 2;
        FillPairs(0 + family, 100);
        FillPairs(2 + family, 500);
        w->ZapiszWynikiFunkcja(2, false);
        for (const uint8_t system : {uint8_t{0}, uint8_t{1}, uint8_t{2}}) {
            w->ResultsSystem = system;
            w->ZapiszWynikiFunkcja(2, false);
            EXPECT_EQ(w->FareRowStore[kTimeNom][2][4], "104") << int{system};
            EXPECT_EQ(w->FareRowStore[kDistanceNom][2][9], "509") << int{system};
        }
        // Points that do arrive replace them.
        w->ResultsSystem = 0;
        FillPairs(0 + family, 200);
        w->ZapiszWynikiFunkcja(2, false);
        EXPECT_EQ(w->FareRowStore[kTimeNom][2][4], "204");
        EXPECT_EQ(w->FareRowStore[kDistanceNom][2][9], "509");
    }
}

TEST_F(MeasuredResults, TotalisersStationConstantAndTheSetSpeedComeWithTheResults) {
    w->MeterFamily = 1;
    w->ResultsSystem = 1;
    w->ResultsAccepted = 1;
    w->VehicleResults = 1;
    w->InterfaceStatus = 0x10;
    w->StationConstK = 5000;
    w->TotalDistance = 1234.5F;
    w->LayoutBase = 8;
    w->Memo7->Lines().Clear();
    for (const char *line : {"l0", "l1", "l2", "l3", "2026-12-10 12:00"}) w->Memo7->Lines().Add(line);
    w->Edit36->SetText("40");
    for (int c = 0; c < kCounters; ++c) {
        w->MidCounterStart[c] = std::to_string(100 + c);
        w->MidCounterEnd[c] = std::to_string(200 + c);
    }
    FillPairs(3, 500);
    w->ZapiszWynikiFunkcja(5, true);

    const int slot = 13;
    EXPECT_EQ(w->Edit448->Text(), "2026-12-10 12:00");
    EXPECT_FALSE(w->Edit448->Enabled());
    EXPECT_EQ(w->LayoutChangeTestMask, 1U << slot);
    EXPECT_EQ(w->StationConstSt(), 5000U);
    EXPECT_EQ(w->StalaStTaryf[slot], "5000");
    EXPECT_EQ(w->Edit29->Text(), "5000");
    EXPECT_EQ(w->SlotTotalDistance[slot], 1234.5F);
    EXPECT_EQ(w->TariffPanelEdits[8 * kVset + 5]->Text(), "40");
    EXPECT_FALSE(w->TariffPanelEdits[8 * kVset + 5]->Enabled());
    for (int c = 0; c < kCounters; ++c) {
        EXPECT_EQ(Counter(kStart, c), QString::number(100 + c)) << c;
        EXPECT_EQ(w->CounterStore[kDistanceTest][kStart][c][slot], std::to_string(100 + c)) << c;
        const bool copied = c != 2 && c != 7;
        EXPECT_EQ(Counter(kEnd, c) == QString::number(200 + c), copied) << c;
    }
}

TEST_F(MeasuredResults, ResultsNotAcceptedChangeNothing) {
    w->ResultsAccepted = 0;
    w->ResultsSystem = 2;
    FillPairs(0, 100);
    w->InterfaceStatus = 0x10;
    w->Edit8->SetText("");
    w->ZapiszWynikiFunkcja(0, true);
    EXPECT_EQ(w->DeviceRowPairs[0][0], "100");
    EXPECT_EQ(w->FareRowStore[kTimeNom][0][0], "---");
    EXPECT_EQ(w->LayoutChangeTestMask, 0U);
    EXPECT_EQ(w->Edit8->Text(), "");
}

}  // namespace
