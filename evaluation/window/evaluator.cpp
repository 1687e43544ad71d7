// The window's fare evaluator: copies the tariff pages, the grid and the counters into the
// evaluation core, writes back what it computed with the failure colours, and shows the verdict.
#include "app/form1.h"
#include "app/scoped_flag.h"
#include "evaluation/fare_evaluation.h"
#include "evaluation/window/recalc_pause.h"

namespace {

using namespace evaluation;

// Elements of TariffParamEdits after the ten rows of eight.
constexpr int kModeDEdits = 92;  // Edit117..Edit120, captioned DpsD, CnsD, CpsD, DnsD
constexpr int kGroupEdits = 96;  // pairs (first page, second page): JT, STC, JDOPŁ

// The column of FareGridColumns (the edit table's order) showing each column of the grid store.
constexpr int kShownColumn[kGridColumns] = {0, 1, 2, 5, 6, 7, 3, 4, 8, 9};

TEdit *Cell(TForm1 &w, int column, int row) {
    return w.FareGridColumns[kGridRows * kShownColumn[column] + row];
}

std::string Text(const TEdit *edit) {
    return edit->Text().toStdString();
}

// Writes a computed text; only a changed text reaches the edit, so its change handler runs only
// for what the evaluation changed.
void Put(TEdit *edit, const std::string &text) {
    const QString shown = QString::fromStdString(text);
    if (edit->Text() != shown) edit->SetText(shown);
}

// The tariff page's edits as two-way bindings to the evaluation's texts.
template <class Visit>
void EachTariffEdit(TForm1 &w, TariffPage &page, Visit visit) {
    for (int t = 0; t < 8; ++t) {
        TariffColumn &c = page.Tariffs[t];
        std::string *rows[] = {&c.OplP, &c.OplD, &c.OplC, &c.Dps, &c.Cps, &c.Vgp, &c.Vgn, &c.Dns, &c.Cns};
        for (int row = 0; row < 9; ++row) visit(w.TariffParamEdits[8 * row + t], *rows[row]);
        visit(w.TariffPanelEdits[8 * kVset + t], c.Vset);
        visit(w.TariffPanelEdits[8 * kOpw + t], c.Opw);
        visit(w.TariffJdoplEdits[t], c.Jdopl);
    }
    for (int p = 0; p < 2; ++p) {
        visit(w.TariffParamEdits[kGroupEdits + p], page.JT[p]);
        visit(w.TariffParamEdits[kGroupEdits + 2 + p], page.STC[p]);
        visit(w.TariffParamEdits[kGroupEdits + 4 + p], page.JDOPL[p]);
    }
    std::string *modeD[] = {&page.DpsD, &page.CnsD, &page.CpsD, &page.DnsD};
    for (int i = 0; i < 4; ++i) visit(w.TariffParamEdits[kModeDEdits + i], *modeD[i]);
}

}  // namespace

void TForm1::UpdateEdit(int tariff, int test) {
    if (UpdateEditBusy) return;
    EvaluationScreen screen;
    EachTariffEdit(*this, screen.Page, [](TEdit *edit, std::string &text) { text = Text(edit); });
    for (int column = 0; column < kGridColumns; ++column)
        for (int row = 0; row < kMeasuringRows; ++row)
            screen.Grid.Cells[column][row] = Text(Cell(*this, column, row));
    for (int row = 0; row < kCounterRows; ++row)
        for (int c = 0; c < kCounters; ++c) screen.Counters.Cells[row][c] = Text(CounterEdits[8 * row + c]);

    EvaluationSwitches switches;
    switches.LayoutBase = static_cast<uint8_t>(LayoutBase);
    switches.MeterFamily = MeterFamily;
    switches.ApprovalRegime = ApprovalRegime;
    switches.CzasX10 = CzasX10;
    switches.VehicleResults = VehicleResults;
    switches.CalcRelativeToK = CalcRelativeToK;
    switches.DistanceTestDone = DistanceTestDone;
    switches.StationConstSt = StationConstSt();
    switches.ZmianaTestedMask = ZmianaTestedMask;
    switches.RegimeCaption = Panel13->Caption().toStdString();
    switches.ModeText = Text(Edit108);
    switches.MeterConstantText = Text(Edit107);

    const ScopedFlag busy(UpdateEditBusy);
    const EvaluationOutcome outcome = EvaluateTariff(*this, switches, tariff, test == kTimeTest, screen);

    {
        const RecalcPause pause(RecalcGuard);  // what the evaluation writes back is not the operator's edit
        EachTariffEdit(*this, screen.Page, [](TEdit *edit, const std::string &text) { Put(edit, text); });
        for (int column = kFeeMeter; column < kGridColumns; ++column)
            for (int row = 0; row < kMeasuringRows; ++row)
                Put(Cell(*this, column, row), screen.Grid.Cells[column][row]);
        for (int row = 0; row < kMeasuringRows; ++row)
            Cell(*this, kPaidErrorPct, row)->SetColor(screen.Grid.PercentRed[row] ? clRed : cl3DLight);
        for (int row = kDifference; row < kCounterRows; ++row)
            for (int c = 0; c < kCounters; ++c) Put(CounterEdits[8 * row + c], screen.Counters.Cells[row][c]);
        for (int c = 0; c < kCounters; ++c)
            CounterEdits[8 * kError + c]->SetColor(screen.Counters.ErrorRed[c] ? clRed : cl3DLight);
        if (outcome.MeterConstant != MeterConstantMark::Unchanged)
            Edit107->SetColor(outcome.MeterConstant == MeterConstantMark::Red ? clRed : cl3DLight);
        Panel170->SetVisible(outcome.ModeDPanelVisible);
    }
    GetPrzekroczenie();
}
