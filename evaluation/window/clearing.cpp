// Emptying the measured results, the counters, the tariffs and the saved-jobs list, and enabling or
// locking groups of fields.
#include "app/form1.h"
#include "evaluation/window/edit_lock.h"
#include "evaluation/window/recalc_pause.h"

namespace {

const QString kNone = QStringLiteral("---");

template <class Controls>
void SetAllEnabled(const Controls &controls, bool enabled) {
    for (auto *control : controls) control->SetEnabled(enabled);
}

template <class Nested>
void FillNone(Nested &store) {
    if constexpr (std::is_same_v<typename Nested::value_type, std::string>)
        store.fill("---");
    else
        for (auto &inner : store) FillNone(inner);
}

}  // namespace

void TForm1::ClearPaneDB() {
    constexpr int kRows = 20;
    for (int column = 0; column < 5; ++column)
        for (int row = 0; row < kRows; ++row)
            JobListLabels[kRows * column + row]->SetCaption(column < 3 ? kNone : QString());
}

void TForm1::UsunWyniki() {
    const RecalcPause pause(RecalcGuard);
    using namespace evaluation;
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareGridColumns[row]->SetText(kNone);
        FareGridColumns[kGridRows + row]->SetText(kNone);
    }
    for (int t = 0; t < 8; ++t) TariffPanelEdits[8 * kVset + t]->SetText(kNone);
    TestedTariffNames.fill(QString());
    SlotResultTexts.fill(kNone);
    DeviceRowDistance.fill("---");
    for (auto &pairs : DeviceRowPairs) std::fill(pairs.begin(), pairs.begin() + 2 * kMeasuringRows, "---");
    FillNone(FareRowStore);
    FillNone(FareGridStore);
    FillNone(StalaStTaryf);
    SlotDeviceByte.fill(0);
    SlotTotalDistance = {};
}

void TForm1::UsunLiczniki() {
    const RecalcPause pause(RecalcGuard);
    using namespace evaluation;
    MidCounterStart.fill("---");
    for (int row : {kStart, kEnd, kRealised})
        for (int c = 0; c < kCounters; ++c) CounterEdits[8 * row + c]->SetText(kNone);
    FillNone(CounterStore);
}

// The tariff pages and every tariff store of both layouts: parameters, surcharge units, group
// units, dates and maximum surcharges read "---", the enable and tick flags are off.
void TForm1::UsunTaryfy() {
    const RecalcPause pause(RecalcGuard);
    using namespace evaluation;
    for (TEdit *edit : TariffParamEdits) edit->SetText(kNone);
    for (int row = kOplP; row <= kVset; ++row)
        for (int t = 0; t < 8; ++t) TariffPanelEdits[8 * row + t]->SetText(kNone);
    for (TEdit *edit : TariffJdoplEdits) edit->SetText(kNone);
    for (TPanel *panel : TariffActivePanels) panel->SetColor(clWhite);
    for (TPanel *panel : TariffFlagPanels2) panel->SetColor(clWhite);
    for (TCheckBox *box : TariffCheckBoxes) box->SetChecked(false);
    for (auto &dates : TariffGroupTexts) dates.fill(kNone);
    GroupMaxSurcharge.fill("---");
    FillNone(TariffParams);
    FillNone(TariffSpeedParams);
    FillNone(TariffGroupUnits);
    FillNone(TariffJdoplaty);
    TariffEnabledFlags.fill(0);
    TariffCheckFlags.fill(0);
}

void TForm1::EnableTaryfy(bool enabled) {
    for (TEdit *edit : TariffParamEdits) SetEditable(edit, enabled);
    for (int t = 0; t < 8; ++t) SetEditable(TariffPanelEdits[8 * evaluation::kOpw + t], enabled);
    for (TEdit *edit : TariffJdoplEdits) SetEditable(edit, enabled);
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
    for (TEdit *totaliser : {Edit518, Edit519, Edit520, Edit521, Edit522, Edit523, Edit524})
        totaliser->SetEnabled(enabled);
    Edit29->SetEnabled(enabled);
}

void TForm1::EnableLiczniki(bool enabled) {
    using namespace evaluation;
    for (int row : {kStart, kEnd})
        for (int c = 0; c < kCounters; ++c) CounterEdits[8 * row + c]->SetEnabled(enabled);
}

// The job's own fields: the checklist, the job's command panels and buttons, the additional
// devices, the security marks and the identity of the taximeter and the vehicle.
void TForm1::EnableParametry(bool enabled) {
    SetAllEnabled(InspectionItemPanels, enabled);
    for (int panel = 39; panel <= 54; ++panel) ButtonPanels[panel]->SetEnabled(enabled);
    for (TButton *button : {Button4, Button5, Button6, Button7, Button8, Button9, Button10, Button11,
                            Button12, Button13, Button14, Button15})
        button->SetEnabled(enabled);
    SetAllEnabled(ExtraDeviceEdits, enabled);
    SetAllEnabled(MarkNameEdits, enabled);
    SetAllEnabled(MarkCountEdits, enabled);
    for (TControl *field : std::initializer_list<TControl *>{
             Edit473, Memo4,  Edit35,  Edit102, Edit111,  Edit457, Edit458, Edit9,
             Edit10,  Memo1,  Edit23,  Edit20,  Edit21,   Edit22,  Edit107, Edit109,
             Edit25,  Memo3,  Button3, Edit108, Panel28,  Panel29, Edit28,  Edit437,
             Memo2,   Edit12, Edit448, Button2, Button16, Edit24,  Edit434, Edit482})
        field->SetEnabled(enabled);
}
