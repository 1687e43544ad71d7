// Tick handlers of the window's own timers: the queued command, the run bar, the
// scanner's seconds and the re-identification after a run.
#include "app/form1.h"

void TForm1::Timer6Timer(TObject *) { TimerButton(); }

void TForm1::Timer7Timer(TObject *) { TimerProgressTest(); }

void TForm1::Timer12Timer(TObject *) { ++ScanTick; }

// One shot after a measuring run: the interface is identified again unless its identity arrived
// meanwhile. The version is asked only while Edit21 is enabled, so it is enabled for the request.
void TForm1::Timer13Timer(TObject *) {
    const bool serialEnabled = Edit21->Enabled();
    Timer13->SetEnabled(false);
    Edit21->SetEnabled(true);
    // Only a connected interface is asked: a closed handle is never used.
    if (InterfaceIdReceived == 0 && DllLoaded == 1 && KlineConnected == 1) OdczytNrDev();
    InterfaceIdReceived = 0;
    Edit21->SetEnabled(serialEnabled);
}
