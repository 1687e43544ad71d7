#pragma once
// Screens as the operator sees them in use, for looking at their layout.
#include "app/form1.h"

// The saved-jobs list at its widest: every row holds a long number, date, serial number, description
// and record version.
inline void FillJobListSample(TForm1 &w) {
    for (int row = 0; row < 20; ++row) {
        w.JobListLabels[row]->SetCaption(QString("%1.").arg(row + 281));
        w.JobListLabels[20 + row]->SetCaption("2026-12-10 14:45:59");
        w.JobListLabels[40 + row]->SetCaption("WWW12345678");
        w.JobListLabels[60 + row]->SetCaption("osoba wyk. Wojciechowska-Szczepańska Małgorzata");
        w.JobListLabels[80 + row]->SetCaption("ver. 1.04.02 MID");
    }
}

// The keyboard with its keys and its target edit shown.
inline void ShowKeyboardKeys(TForm1 &w) {
    w.Panel172->SetVisible(true);
    for (TPanel *key : w.KeyPanels) key->SetVisible(true);
}

// The measuring-run bar as a run shows it: its caption, the progress bar half way and "STOP".
inline void ShowMeasuringRunBar(TForm1 &w) {
    w.Label112->SetCaption("TEST");
    w.ProgressBar1->SetPosition(50);
    w.Panel165->SetVisible(true);
    w.Panel167->SetVisible(true);
}
