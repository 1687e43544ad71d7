// Results of a measuring run stored into a tariff slot: the ZT measuring-point blocks and the
// point results the K-line dispatcher has parsed, with the totalisers and the station constant.
#include "app/form1.h"
#include "evaluation/result_storage.h"
#include "evaluation/window/recalc_pause.h"
#include "evaluation/zt_results.h"
#include "platform/runtime/numbers.h"

namespace {

using namespace evaluation;

QString ToQ(const std::string &text) { return QString::fromStdString(text); }

}  // namespace

void TForm1::ShowGridRows(const GridRows &rows) {
    const RecalcPause pause(RecalcGuard);
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareGridColumns[row]->SetText(ToQ(rows.Nom[row]));
        FareGridColumns[kGridRows + row]->SetText(ToQ(rows.Units[row]));
    }
}

void TForm1::ZapiszWynikiZT(std::span<const uint8_t> block) {
    const ZtBlock decoded = DecodeZtBlock(*this, block, Edit107->Text().toStdString());
    if (decoded.kind != ZtBlock::Kind::Distance && decoded.kind != ZtBlock::Kind::Time) return;
    TariffSelPanels[decoded.tariff]->SetColor(clBtnShadow);
    UpdatePnelTaryf(decoded.tariff);
    if (decoded.kind == ZtBlock::Kind::Distance)
        FunctionDroga();
    else
        FunctionCzas();
    GridRows rows;
    for (int row = 0; row < kMeasuringRows; ++row) {
        rows.Nom[row] = FareGridColumns[row]->Text().toStdString();
        rows.Units[row] = FareGridColumns[kGridRows + row]->Text().toStdString();
    }
    for (size_t k = 0; k < decoded.rows.size() && k < static_cast<size_t>(kMeasuringRows); ++k) {
        rows.Nom[k] = decoded.rows[k].Nom;
        rows.Units[k] = decoded.rows[k].Units;
    }
    ShowGridRows(rows);
    StoreGridCells();
}

void TForm1::ZapiszWynikiFunkcja(int tariff, bool withCounters) {
    if (ResultsAccepted == 0) return;
    const int slot = LayoutBase + tariff;
    const bool groupWithoutInitial = TariffGroupFlag[slot / 4] == 0;
    if (ResultsSystem == 1)
        StoreReceivedPoints(FareRowStore[kReceivedPoints][slot], DeviceRowDistance, groupWithoutInitial);
    Edit448->SetText(Memo7->Lines().Count() > 4 ? Memo7->Lines()[4] : QString());
    Edit448->SetEnabled(false);
    LayoutChangeTestMask = VehicleResultsMask(LayoutChangeTestMask, InterfaceStatus, ResultsSystem, slot);
    if (VehicleResults != 0 && StationConstSt() == 0) LicznikiKeep[kKeptStationConstSt] = StationConstK;
    StalaStTaryf[slot] = StationConstSt() != 0 ? std::to_string(StationConstSt()) : "---";
    if (ResultsSystem == 1) SlotTotalDistance[slot] = TotalDistance;

    TariffSelPanels[tariff]->SetColor(clBtnShadow);
    UpdatePnelTaryf(tariff);
    if (ZmianaPending != 0) {
        ZmianaTestedMask |= 1U << slot;
        ZmianaPending = 0;
    }
    TEdit *setSpeed = TariffPanelEdits[8 * kVset + tariff];
    setSpeed->SetText(Edit36->Text());
    setSpeed->SetEnabled(false);

    const bool own = MeterFamily == 1;
    const auto fill = [&](int test) {
        if (test == kTimeTest)
            FunctionCzas();
        else
            FunctionDroga();
        // A readout that follows no new point (the start of the next test) keeps the rows stored.
        auto &pairs = DeviceRowPairs[(test == kTimeTest ? 0 : 2) + (own ? 1 : 0)];
        if (!AnyReceived(pairs)) return;
        ShowGridRows(RowsFromPairs(pairs, own, groupWithoutInitial));
        StoreGridCells();
    };
    if (ResultsSystem != 1) fill(kTimeTest);
    if (ResultsSystem != 0) fill(kDistanceTest);

    if (StationConstK != 0) Edit29->SetText(QString::number(StationConstK));
    // The totalisers go in after the grid: switching the test reloads the counter rows from the
    // slot's stores, which would drop them; one more evaluation keeps them in the slot's stores.
    for (int c = 0; c < kCounters; ++c) CounterEdits[8 * kStart + c]->SetText(ToQ(MidCounterStart[c]));
    if (withCounters)
        for (int c : {0, 1, 3, 4, 5, 6}) CounterEdits[8 * kEnd + c]->SetText(ToQ(MidCounterEnd[c]));
    ListTestedSlots();
    UpdateEdit(CurrentTariff, ShownTest());
}
