// Reading and framing timers of the two channels.
#include <exception>

#include "app/form1.h"

void TForm1::Timer1Timer(TObject *) { TimerReadingByteKline(); }
void TForm1::Timer2Timer(TObject *) { TimerReadingPacketKline(); }
void TForm1::Timer15Timer(TObject *) { TimerReadingByteTIV(); }
void TForm1::Timer16Timer(TObject *) { TimerCollectPacketTIV(); }

void TForm1::TimerReadingByteKline() {
    // Reading needs the library and an open channel; a reader started without them stops.
    if (DllLoaded == 0 || KlineChannel.Handle == nullptr) {
        Timer1->SetEnabled(false);
        return;
    }
    switch (device::ReadKlineBytes(FtdiDll.Api(), KlineChannel, KlineByteBuffer)) {
        case device::ReadResult::Failed: ErrorFT(); break;
        case device::ReadResult::Read: Timer2->SetEnabled(true); break;
        case device::ReadResult::NothingWaiting: break;
    }
}

void TForm1::TimerReadingPacketKline() {
    try {
        device::FrameKlineMessages(KlineByteBuffer, KlinePacketRing);
    } catch (const std::exception &) {
        // A framing failure stops the framing and a running replay where they are.
        Timer8->SetEnabled(false);
        Timer2->SetEnabled(false);
    }
}

void TForm1::TimerReadingByteTIV() {
    Timer16->SetEnabled(false);
    if (DllLoaded == 0 || TivarChannel.Handle == nullptr) {
        Timer15->SetEnabled(false);
        return;
    }
    if (device::ReadMeterBytes(FtdiDll.Api(), TivarChannel, TivarByteRing) == device::ReadResult::Failed) {
        ErrorFT_TIV();
        return;
    }
    Timer16->SetEnabled(true);
}

void TForm1::TimerCollectPacketTIV() {
    device::FrameMeterRecords(TivarByteRing, TivarRecordRing);
    Timer18->SetEnabled(true);
}

void TForm1::ResumeKlineReading() {
    if (DllLoaded == 1 && KlineConnected == 1) Timer1->SetEnabled(true);
}
