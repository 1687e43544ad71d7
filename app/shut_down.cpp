// Closing the window and the exit button: the job table closed, the device channels let go and the
// library unloaded.
#include <cstdio>
#include <cstdlib>

#include "app/form1.h"
#include "app/process_end.h"
#include "device/channel_shutdown.h"

std::function<void(int)> shell::EndProcess = [](int code) {
    std::fflush(nullptr);
    std::_Exit(code);
};

void TForm1::ReleaseDevices() {
    if (DllLoaded != 1) return;
    device::CloseConnectedChannels(*this, FtdiDll.Api());
    FtdiDll.Unload();
    DllLoaded = 0;
}

void TForm1::FormClose(TObject *, TCloseAction &) {
    Table1->SetActive(false);
    ReleaseDevices();
}

void TForm1::ExitCommand() {
    ReleaseDevices();
    shell::EndProcess(0);
}
