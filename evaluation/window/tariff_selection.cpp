// Selecting the shown tariff and test: the tariff and test buttons' colours and the reload of the
// grid, the counters and the tariff's stored values from the slot's stores.
#include "app/form1.h"

namespace {

// Reads the stored text for an edit; the stores keep "---" for an empty value.
QString Shown(const std::string &stored) { return QString::fromStdString(stored); }

}  // namespace

void TForm1::UpdatePnelTaryf(int tariff) {
    if (TariffSelPanels[tariff]->Color() == clWhite) return;
    for (int t = 0; t < 8; ++t) {
        TPanel *button = TariffSelPanels[t];
        button->SetColor(t == tariff ? clWhite : clBtnShadow);
        button->Font().SetColor(TestedTariffNames[LayoutBase + t].isEmpty() ? clBlack : clGreen);
    }
    CurrentTariff = tariff;
    const int slot = LayoutBase + tariff;
    RecalcGuard = 0;
    for (int t = 0; t < 8; ++t)
        TariffActivePanels[t]->SetColor(TariffEnabledFlags[LayoutBase + t] == 1 ? clBlack : clWhite);
    for (int row = evaluation::kOplP; row <= evaluation::kOpw; ++row)
        TariffPanelEdits[8 * row + tariff]->SetText(Shown(TariffParams[row][slot]));
    TariffJdoplEdits[tariff]->SetText(Shown(TariffJdoplaty[slot]));
    Edit29->SetText(Shown(StalaStTaryf[slot]));
    ShowTestCells(ShownTest());
}

int TForm1::ShownTest() const {
    return Panel126->Color() == clBtnShadow ? evaluation::kDistanceTest : evaluation::kTimeTest;
}

// Fills the grid's NOM and N columns and the start and end counter rows from the current slot's
// stores of one test, without letting the change handlers store them back.
void TForm1::ShowTestCells(int test) {
    using namespace evaluation;
    const bool time = test == kTimeTest;
    const int slot = LayoutBase + CurrentTariff;
    RecalcGuard = 0;
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareGridColumns[row]->SetText(Shown(FareRowStore[time ? kTimeNom : kDistanceNom][slot][row]));
        FareGridColumns[kGridRows + row]->SetText(Shown(FareGridStore[test][kUnits][slot][row]));
    }
    for (int row : {kStart, kEnd})
        for (int c = 0; c < kCounters; ++c) CounterEdits[8 * row + c]->SetText(Shown(CounterStore[test][row][c][slot]));
    RecalcGuard = 1;
}

// Switches the grid to one test: the test buttons, the captions naming time or distance, and the
// slot's cells of that test.
void TForm1::ShowTest(int test) {
    using namespace evaluation;
    const bool time = test == kTimeTest;
    TPanel *tab = time ? Panel126 : Panel127;
    if (tab->Color() == clWhite) return;
    Panel126->SetColor(time ? clWhite : clBtnShadow);
    Panel127->SetColor(time ? clBtnShadow : clWhite);
    Label336->SetCaption(time ? QStringLiteral("OBLICZANIE OPŁATY Z CZASU") : QStringLiteral("OBLICZANIE OPŁATY Z DROGI"));
    Panel126->SetCaption(time ? QStringLiteral("* czas") : QStringLiteral("czas"));
    Panel127->SetCaption(time ? QStringLiteral("droga") : QStringLiteral("* droga"));
    ShowTestCells(test);
}

void TForm1::FunctionCzas() { ShowTest(evaluation::kTimeTest); }

void TForm1::FunctionDroga() { ShowTest(evaluation::kDistanceTest); }

void TForm1::Panel126Click(TObject *) { FunctionCzas(); }

void TForm1::Panel127Click(TObject *) { FunctionDroga(); }
