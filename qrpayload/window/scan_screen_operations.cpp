// The main window's operations of the scanned-code screen.
#include "app/form1.h"
#include "qrpayload/window/form_scan_screen.h"

void TForm1::Timer9Timer(TObject *) {
    TimerHeaderQR();
}

void TForm1::TimerHeaderQR() {
    qrpayload::FormScanScreen screen(*this);
    qrpayload::ScanStep(*this, screen, *this);
}

void TForm1::Panel254Click(TObject *) {
    Panel254->SetColor(Panel254->Color() == clBlack ? clWhite : clBlack);
}

void TForm1::OpenScanScreen() {
    qrpayload::FormScanScreen screen(*this);
    qrpayload::StartScan(*this, screen);
    const bool noWorkingMode =
        Panel163->Color() == clInactiveCaptionText && Panel162->Color() == clInactiveCaptionText;
    Panel253->SetVisible(!noWorkingMode);
    Panel254->SetColor(clWhite);
    Panel239->Hide();
    Panel228->Show();
    Memo11->SetFocus();
    // A screen left during the pause after a document would otherwise keep the pause's interval.
    Timer9->SetInterval(qrpayload::kScanTickMs);
    Timer9->SetEnabled(true);
}

void TForm1::CloseScanScreen() {
    Panel239->Show();
    Panel228->Hide();
    Timer9->SetEnabled(false);
    Timer12->SetEnabled(false);
}
