#pragma once
// The saved-jobs list at its widest: every row holds a long number, date, serial number, description
// and record version.
#include "app/form1.h"

inline void FillJobListSample(TForm1 &w) {
    for (int row = 0; row < 20; ++row) {
        w.JobListLabels[row]->SetCaption(QString("%1.").arg(row + 281));
        w.JobListLabels[20 + row]->SetCaption("2026-12-10 14:45:59");
        w.JobListLabels[40 + row]->SetCaption("WWW12345678");
        w.JobListLabels[60 + row]->SetCaption("osoba wyk. Wojciechowska-Szczepańska Małgorzata");
        w.JobListLabels[80 + row]->SetCaption("ver. 1.04.02 MID");
    }
}
