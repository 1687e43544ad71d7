// Totaliser readouts of both families in the window: the registers of the layout-change procedure,
// or the start counters of the next test and the end counters of the test just run.
#include "app/form1.h"
#include "device/decoders/mid_counters.h"
#include "device/window/readout_texts.h"

namespace {

constexpr int kEndRow = 1;
constexpr uint8_t kOwnFamily = 1;

void Registers(TForm1 &w, const decoders::ChangeRegisters &r) {
    const std::pair<TEdit *, const std::string *> registers[] = {
        {w.Edit520, &r.Edit520}, {w.Edit519, &r.Edit519}, {w.Edit518, &r.Edit518}, {w.Edit522, &r.Edit522},
        {w.Edit523, &r.Edit523}, {w.Edit524, &r.Edit524}, {w.Edit521, &r.Edit521}};
    for (const auto &[edit, text] : registers) edit->SetText(device_window::DeviceText(*text));
    if (!r.DistancesLocked) return;
    // A failed distance difference leaves the three distances for the operator to type.
    for (TEdit *edit : {w.Edit520, w.Edit519, w.Edit518}) edit->SetEnabled(!*r.DistancesLocked);
    for (TEdit *edit : {w.Edit522, w.Edit523, w.Edit524, w.Edit521}) edit->SetEnabled(false);
}

// Rows 0..9 of the received pairs of the test the readout starts.
void ClearReceivedPairs(TForm1 &w) {
    const bool time = w.ResultsSystem == 0 || w.ResultsSystem == 2;
    const bool distance = w.ResultsSystem == 1 || w.ResultsSystem == 2;
    for (int array = 0; array < 4; ++array) {
        if ((array < 2 && !time) || (array >= 2 && !distance)) continue;
        for (int i = 0; i < 2 * evaluation::kMeasuringRows; ++i) w.DeviceRowPairs[array][i] = "---";
    }
}

void StartRow(TForm1 &w, const decoders::CounterTexts &readout) {
    ClearReceivedPairs(w);
    w.MidCounterStart = readout;
    w.MidReadoutPending = 0;
}

void EndRow(TForm1 &w, const decoders::CounterTexts &readout, bool novitius) {
    if (w.ResultsSystem == 0) w.FunctionCzas();
    else w.FunctionDroga();
    for (int counter = 0; counter < evaluation::kCounters; ++counter)
        w.CounterEdits[8 * kEndRow + counter]->SetText(QStringLiteral("---"));
    const decoders::CounterTexts row = decoders::EndRow(readout, novitius, w.ResultsSystem, w.MidCounterStart);
    for (int counter = 0; counter < evaluation::kCounters; ++counter)
        w.CounterEdits[8 * kEndRow + counter]->SetText(device_window::DeviceText(row[counter]));
    if (!novitius) w.MidCounterEnd = row;
}

}  // namespace

void TForm1::GetLicznikiMID(std::span<const uint8_t> data, uint8_t length, uint8_t source) {
    const bool novitius = source != kOwnFamily;
    std::optional<decoders::OwnFamilyCounters> own;
    std::optional<decoders::NovitiusLines> lines;
    if (novitius) {
        lines = device_window::SplitNovitiusText(*this, data, length);
    } else if (!(own = decoders::DecodeOwnFamilyCounters(data))) {
        return;
    }
    if (ChangeProcedureOn()) {
        Registers(*this, novitius ? decoders::RegistersOf(*lines) : decoders::RegistersOf(*own));
        return;
    }
    const decoders::CounterTexts readout = novitius ? decoders::CountersOf(*lines) : decoders::CountersOf(*own);

    const decoders::MidReadoutPlan plan = decoders::PlanMidReadout(
        {novitius, MidReadoutPending, TivarReadoutStage, ResultsSystem, TestTariffSel,
         Edit108->Text() == QStringLiteral("S"), TariffPageCode[3] >= 1 && TariffPageCode[3] <= 127,
         Edit437->Enabled()});
    TivarReadoutStage = plan.TivarReadoutStage;
    if (plan.StoreResults) {
        ResultsAccepted = 1;
        LayoutBase = ScheduledLayout;
        ZapiszWynikiFunkcja(TestTariffSel, 0);
    }
    if (plan.EndRow) EndRow(*this, readout, novitius);
    if (plan.CloseRun) {
        TestPelgrivator(0);
        Panel169->Hide();
        if (plan.PickSlot) {
            Panel239->SetEnabled(false);
            Panel325->Show();
        }
    }
    // A start readout, or in continuous testing the end readout that also starts the next test.
    if (plan.StartRow) StartRow(*this, readout);
    MidReadoutPending = plan.EndRow ? plan.MidReadoutPending : 0;
}
