// The channels' error routines: after any library failure the channel is closed, shown red and
// found again by the scan.
#include "app/form1.h"
#include "device/channel_opening.h"

void TForm1::ErrorFT() {
    ShowChannelStatus(Panel164, false);
    if (!Lit(Panel163) && !Lit(Panel162)) {
        Edit14->SetEnabled(false);
        Edit15->SetEnabled(false);
    } else if (Edit21->Enabled()) {
        for (TEdit *edit : {Edit14, Edit15}) {
            edit->SetEnabled(true);
            edit->SetText(QStringLiteral("---"));
        }
        Label155->SetCaption(QString());
    }
    device::CloseChannel(FtdiDll.Api(), KlineChannel);
    Timer3->SetEnabled(true);
    Timer2->SetEnabled(false);
    Timer1->SetEnabled(false);
    KlineConnected = 0;
}

void TForm1::ErrorFT_TIV() {
    ShowChannelStatus(Panel393, false);
    device::CloseChannel(FtdiDll.Api(), TivarChannel);
    for (TTimer *timer : {Timer15, Timer16, Timer18, Timer17}) timer->SetEnabled(false);
    TivarConnected = 0;
    Timer3->SetEnabled(true);
}
