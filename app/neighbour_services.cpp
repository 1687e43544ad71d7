// The layout change operation that the working modes call, to the extent those callers rely on it.
#include "app/form1.h"

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
