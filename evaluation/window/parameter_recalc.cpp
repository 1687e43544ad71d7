// Carrying the operator's edits of the tariff page into the per-slot stores.
#include <algorithm>

#include "app/form1.h"

void TForm1::PrzeliczWyniki() {
    using namespace evaluation;
    if (RecalcGuard != 1) return;
    if (Edit108->Text() != QLatin1String("S") && Edit108->Text() != QLatin1String("D")) Edit108->SetText(QStringLiteral("S"));
    const int slot = LayoutBase + CurrentTariff;
    for (int row = kOplP; row <= kOpw; ++row)
        TariffParams[row][slot] = TariffPanelEdits[8 * row + CurrentTariff]->Text().toStdString();
    TariffJdoplaty[slot] = TariffJdoplEdits[CurrentTariff]->Text().toStdString();
    for (int t = 0; t < 8; ++t) {
        TariffEnabledFlags[LayoutBase + t] = TariffActivePanels[t]->Color() == clBlack ? 1 : 0;
        TariffCheckBoxes[t]->SetChecked(TariffCheckFlags[LayoutBase + t] != 0);
    }
    StalaStTaryf[slot] = Edit29->Text().toStdString();
}

// Shared by the tariff page's parameter edits: stores the edit, then selects every tariff in turn, which
// reloads each from the stores, and ends on the tariff that was shown before.
void TForm1::Edit98Change(TObject *) {
    if (RecalcGuard != 1) return;
    PrzeliczWyniki();
    const int shown = CurrentTariff;
    for (int t = 0; t < 8; ++t) UpdatePnelTaryf(t);
    UpdatePnelTaryf(shown);
}

bool TForm1::CzySymulacjaBazy() const {
    return std::any_of(SlotTotalDistance.begin(), SlotTotalDistance.end(), [](float d) { return d != 0.0F; });
}
