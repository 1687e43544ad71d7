// The tariff-enable panels: black = the tariff of the layout shown is enabled, white = disabled.
#include "app/form1.h"

void TForm1::ToggleTariffEnabled(int tariff) {
    TPanel *panel = TariffActivePanels[tariff];
    const bool enable = panel->Color() == clWhite;
    TariffEnabledFlags[LayoutBase + tariff] = enable ? 1 : 0;
    panel->SetColor(enable ? clBlack : clWhite);
}

void TForm1::Panel1Click(TObject *) { ToggleTariffEnabled(0); }
void TForm1::Panel10Click(TObject *) { ToggleTariffEnabled(1); }
void TForm1::Panel14Click(TObject *) { ToggleTariffEnabled(2); }
void TForm1::Panel15Click(TObject *) { ToggleTariffEnabled(3); }
void TForm1::Panel16Click(TObject *) { ToggleTariffEnabled(4); }
void TForm1::Panel17Click(TObject *) { ToggleTariffEnabled(5); }
void TForm1::Panel18Click(TObject *) { ToggleTariffEnabled(6); }
void TForm1::Panel19Click(TObject *) { ToggleTariffEnabled(7); }

// The flag follows at the next recalculation.
void TForm1::SetPanelAktywna(int8_t tariff) {
    if (tariff < 0 || tariff > 7) return;
    TariffActivePanels[tariff]->SetColor(clBlack);
}
