// Emptying the measured results and the counters, and enabling or locking groups of fields.
#include "app/form1.h"

namespace {

const QString kNone = QStringLiteral("---");

template <class Controls>
void SetAllEnabled(const Controls &controls, bool enabled) {
    for (TControl *control : controls) control->SetEnabled(enabled);
}

template <class Nested>
void FillNone(Nested &store) {
    if constexpr (std::is_same_v<typename Nested::value_type, std::string>)
        store.fill("---");
    else
        for (auto &inner : store) FillNone(inner);
}

}  // namespace

void TForm1::UsunWyniki() {
    using namespace evaluation;
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareGridColumns[row]->SetText(kNone);
        FareGridColumns[kGridRows + row]->SetText(kNone);
    }
    for (int t = 0; t < 8; ++t) TariffPanelEdits[8 * kVset + t]->SetText(kNone);
    TestedTariffNames.fill(QString());
    SlotResultTexts.fill(kNone);
    for (auto &pairs : DeviceRowPairs) std::fill(pairs.begin(), pairs.begin() + 2 * kMeasuringRows, kNone);
    FillNone(FareRowStore);
    FillNone(FareGridStore);
    FillNone(StalaStTaryf);
    SlotTotalDistance = {};
}

void TForm1::UsunLiczniki() {
    using namespace evaluation;
    for (int row : {kStart, kEnd, kRealised})
        for (int c = 0; c < kCounters; ++c) CounterEdits[8 * row + c]->SetText(kNone);
    FillNone(CounterStore);
}

void TForm1::EnableTaryfy(bool enabled) {
    SetAllEnabled(TariffParamEdits, enabled);
    SetAllEnabled(TariffJdoplEdits, enabled);
    SetAllEnabled(TariffActivePanels, enabled);
}

void TForm1::EnableWynikiLiczniki(bool enabled) {
    using namespace evaluation;
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareGridColumns[row]->SetEnabled(enabled);
        FareGridColumns[kGridRows + row]->SetEnabled(enabled);
    }
    EnableLiczniki(enabled);
    for (int t = 0; t < 8; ++t) TariffPanelEdits[8 * kVset + t]->SetEnabled(enabled);
    for (TEdit *totaliser : {Edit518, Edit519, Edit520, Edit521, Edit522, Edit523, Edit524}) totaliser->SetEnabled(enabled);
    Edit29->SetEnabled(enabled);
}

void TForm1::EnableLiczniki(bool enabled) {
    using namespace evaluation;
    for (int row : {kStart, kEnd})
        for (int c = 0; c < kCounters; ++c) CounterEdits[8 * row + c]->SetEnabled(enabled);
}

void TForm1::EnableParametry(bool enabled) { SetAllEnabled(MainFieldEdits, enabled); }

// Clears the tariff pages: every parameter and surcharge-unit edit reads "---", the enable and
// tick panels turn white.
void TForm1::UsunTaryfy() {
    for (TEdit *edit : TariffParamEdits) edit->SetText(kNone);
    for (TEdit *edit : TariffJdoplEdits) edit->SetText(kNone);
    for (TPanel *panel : TariffActivePanels) panel->SetColor(clWhite);
    for (TPanel *panel : TariffFlagPanels2) panel->SetColor(clWhite);
}
