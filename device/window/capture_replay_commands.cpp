// Replay of a capture file in the window: the start and stop commands and the Timer8 step.
#include "app/form1.h"

void TForm1::Timer8Timer(TObject *) { TimerFileOpen(); }

void TForm1::StartCaptureReplay() {
    if (!OpenDialog1->Execute()) return;
    device::StartReplay(*this, OpenDialog1->FileName().toStdString(), KlineByteBuffer);
    // A replayed verification starts on a fresh working record.
    SetLit(Panel162, false);
    Legalizacja(1);
    Timer8->SetEnabled(true);
}

void TForm1::StopCaptureReplay() {
    const bool running = ReplayFile != nullptr;
    device::StopReplay(*this);
    Timer8->SetEnabled(false);
    if (running) ResumeKlineReading();
}

void TForm1::TimerFileOpen() {
    switch (device::ReplayStep(*this, KlineByteBuffer)) {
        case device::ReplayStepResult::Idle: Timer8->SetEnabled(false); break;
        case device::ReplayStepResult::OpenFailed:
            Timer8->SetEnabled(false);
            Application->MessageBox(QStringLiteral("Pliku nie można otworzyć!!!"), Application->Title(), MB_OK);
            break;
        case device::ReplayStepResult::Progress: Timer2->SetEnabled(true); break;
        case device::ReplayStepResult::ChunkTaken:
            Timer1->SetEnabled(false);
            Timer2->SetEnabled(true);
            break;
        case device::ReplayStepResult::Finished:
            Timer8->SetEnabled(false);
            ResumeKlineReading();
            break;
    }
}
