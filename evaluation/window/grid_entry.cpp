// The operator's entries in the grid's NOM and N cells: stored for the current slot and test,
// evaluated, and the slot marked as tested once it has a nominal value.
#include "app/form1.h"
#include "platform/runtime/numbers.h"

void TForm1::Edit298Change(TObject *) {
    if (RecalcGuard != 1) return;
    StoreGridCells();
}

void TForm1::StoreGridCells() {
    using namespace evaluation;
    const int test = ShownTest();
    const int slot = LayoutBase + CurrentTariff;
    for (int row = 0; row < kMeasuringRows; ++row) {
        FareRowStore[test == kTimeTest ? kTimeNom : kDistanceNom][slot][row] = FareGridColumns[row]->Text().toStdString();
        FareGridStore[test][kUnits][slot][row] = FareGridColumns[kGridRows + row]->Text().toStdString();
    }
    UpdateEdit(CurrentTariff, test);
    MarkSlotTested(slot);
}

// A slot with a number in the first NOM cell of either test counts as tested: the own family names
// it by its page's code letter and its place on the page (1..4), a NOVITIUS meter by the tariff
// number.
void TForm1::MarkSlotTested(int slot) {
    using namespace evaluation;
    long double value = 0;
    const bool hasNominal = TryStrToFloat(FareRowStore[kTimeNom][slot][0], value) ||
                            TryStrToFloat(FareRowStore[kDistanceNom][slot][0], value);
    if (!hasNominal) return;
    if (MeterFamily == 1) {
        const uint8_t page = TariffPageCode[slot / 4];
        TestedTariffNames[slot] =
            (page != 0 ? QString(QChar(page)) : QString()) + QString::number(slot % 4 + 1);
    } else {
        TestedTariffNames[CurrentTariff] = QString::number(CurrentTariff + 1);
    }
    ListTestedSlots();
    GetPrzekroczenie();  // the evaluation judged the list before the slot joined it
}

// Edit8 lists every tested slot in slot order, each followed by ",".
void TForm1::ListTestedSlots() {
    QString list;
    for (const QString &name : TestedTariffNames)
        if (!name.isEmpty()) list += name + ',';
    Edit8->SetText(list);
}
