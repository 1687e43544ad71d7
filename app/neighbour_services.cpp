// The taximeter preset, tariff panel and layout change operations that start-up, the pages and the
// working modes call, to the extent those callers rely on them.
#include "app/form1.h"

void TForm1::SetTaxiNovitius() {
    if (MeterFamily == 0) return;  // a preset acts only on a change of family
    MeterFamily = 0;
}

void TForm1::SetPaneleTaryf(uint8_t, int page, int) {
    const bool tariffPage = page >= 1 && page <= 4;
    for (TPanel *button : TariffSelPanels) button->SetVisible(tariffPage);
}

void TForm1::ZmianaUkladow(uint8_t on) {
    if ((on != 0) == Lit(Panel342)) return;  // already in that state: nothing changes
    SetLit(Panel342, on != 0);
    if (on != 0) {
        for (int f = 0; f < 27; ++f) MainFieldSaved[0][f] = MainFieldEdits[f]->Text();
        for (int m = 0; m < 4; ++m) MainMemoSaved[0][m] = MainMemos[m]->Text();
    } else {
        for (int f = 0; f < 27; ++f) MainFieldEdits[f]->SetText(MainFieldSaved[0][f]);
        for (int m = 0; m < 4; ++m) MainMemos[m]->SetText(MainMemoSaved[0][m]);
    }
    ClickButton(13, 14, 0, 0);
}
