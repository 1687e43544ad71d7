// Tick handlers of the window's own timers: the queued command, the run bar, the on-screen
// keyboard's key release, the scanner's seconds and the re-identification after a run.
#include "app/form1.h"

void TForm1::Timer6Timer(TObject *) { TimerButton(); }

void TForm1::Timer7Timer(TObject *) { TimerProgressTest(); }

void TForm1::Timer11Timer(TObject *) { Timer11->SetEnabled(false); }

void TForm1::Timer12Timer(TObject *) { ++ScanTick; }

// One shot after a measuring run; the identity request itself is the device channel's.
void TForm1::Timer13Timer(TObject *) {
    Timer13->SetEnabled(false);
    InterfaceIdReceived = 0;
    // Only a connected interface is asked again: a closed handle is never used.
    if (KlineConnected == 1) OdczytNrDev();
}
