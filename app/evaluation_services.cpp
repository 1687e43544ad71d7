// The fare evaluation's operations that the shell calls, to the extent the shell relies on them:
// the current tariff, the shown test, clearing results and counters, which fields are editable,
// and the verdict.
#include "app/form1.h"
#include "evaluation/verdict.h"

namespace {

const QString kNone = QStringLiteral("---");

template <class Controls>
void SetAllEnabled(const Controls &controls, bool enabled) {
    for (TControl *control : controls) control->SetEnabled(enabled);
}

}  // namespace

void TForm1::UpdatePnelTaryf(int tariff) {
    if (TariffSelPanels[tariff]->Color() == clWhite) return;
    CurrentTariff = tariff;
    for (int t = 0; t < 8; ++t) TariffSelPanels[t]->SetColor(t == tariff ? clWhite : clInactiveCaptionText);
}

// Shows one test of the current slot in the grid: its caption, its tab captions and its first two
// grid columns.
void TForm1::ShowTest(int test) {
    using namespace evaluation;
    const bool time = test == kTimeTest;
    TPanel *tab = time ? Panel126 : Panel127;
    if (tab->Color() == clWhite) return;
    Label336->SetCaption(time ? QStringLiteral("OBLICZANIE OPŁATY Z CZASU") : QStringLiteral("OBLICZANIE OPŁATY Z DROGI"));
    Panel126->SetCaption(time ? QStringLiteral("* czas") : QStringLiteral("czas"));
    Panel127->SetCaption(time ? QStringLiteral("droga") : QStringLiteral("* droga"));
    RecalcGuard = 0;
    const int slot = LayoutBase + CurrentTariff;
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareGridColumns[row]->SetText(QString::fromStdString(FareRowStore[time ? kTimeNom : kDistanceNom][slot][row]));
        FareGridColumns[kGridRows + row]->SetText(QString::fromStdString(FareGridStore[test][kUnits][slot][row]));
    }
    for (int row : {kStart, kEnd})
        for (int c = 0; c < kCounters; ++c)
            CounterEdits[8 * row + c]->SetText(QString::fromStdString(CounterStore[test][row][c][slot]));
    RecalcGuard = 1;
}

void TForm1::FunctionCzas() { ShowTest(evaluation::kTimeTest); }

void TForm1::FunctionDroga() { ShowTest(evaluation::kDistanceTest); }

void TForm1::UsunWyniki() {
    using namespace evaluation;
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareGridColumns[row]->SetText(kNone);
        FareGridColumns[kGridRows + row]->SetText(kNone);
    }
    SlotResultTexts.fill(kNone);
    for (auto &rows : DeviceRowPairs) rows.fill(QString());
    TestedTariffNames.fill(QString());
    StalaStTaryf.fill("---");
    for (auto &column : FareRowStore)
        for (auto &slot : column) slot.fill("---");
    for (auto &test : FareGridStore)
        for (auto &column : test)
            for (auto &slot : column) slot.fill("---");
    SlotTotalDistance = {};
}

void TForm1::UsunLiczniki() {
    using namespace evaluation;
    for (int row : {kStart, kEnd, kRealised})
        for (int c = 0; c < kCounters; ++c) CounterEdits[8 * row + c]->SetText(kNone);
    for (auto &test : CounterStore)
        for (auto &row : test)
            for (auto &counter : row) counter.fill("---");
}

void TForm1::EnableTaryfy(bool enabled) {
    SetAllEnabled(TariffParamEdits, enabled);
    SetAllEnabled(TariffJdoplEdits, enabled);
    SetAllEnabled(TariffSelPanels, enabled);
}

void TForm1::UsunTaryfy() {
    for (TEdit *edit : TariffParamEdits) edit->SetText(kNone);
    for (TEdit *edit : TariffJdoplEdits) edit->SetText(kNone);
    for (TPanel *panel : TariffActivePanels) panel->SetColor(clWhite);
    for (TPanel *panel : TariffFlagPanels2) panel->SetColor(clWhite);
}

void TForm1::EnableWynikiLiczniki(bool enabled) {
    SetAllEnabled(FareGridColumns, enabled);
    SetAllEnabled(CounterEdits, enabled);
}

void TForm1::EnableParametry(bool enabled) { SetAllEnabled(MainFieldEdits, enabled); }

uint8_t TForm1::GetPrzekroczenie() {
    evaluation::VerdictControls controls;
    controls.ChangeModeOn = Lit(Panel342);
    controls.BothModeButtonsGrey =
        Panel162->Color() == clInactiveCaptionText && Panel163->Color() == clInactiveCaptionText;
    controls.TestedTariffsEmpty = Edit8->Text().isEmpty();
    controls.VehicleResults = VehicleResults;
    for (int i = 0; i < evaluation::kInspectionItems; ++i)
        controls.ItemMarks[i] = InspectionItemPanels[i]->Caption().toStdString();
    const evaluation::VerdictView view = evaluation::ComputeVerdict(*this, controls);
    if (view.ReasonLines) {
        Memo1->Lines().Clear();
        for (const std::string &line : *view.ReasonLines) Memo1->Lines().Add(QString::fromStdString(line));
    }
    if (view.NoResultsLabelVisible) Label218->SetVisible(*view.NoResultsLabelVisible);
    if (view.RegimeFontRed) Panel13->Font().SetColor(*view.RegimeFontRed ? clRed : clBlack);
    return view.Failed ? 1 : 0;
}
