// Closing the window: the job table closed, the device channels let go and the library unloaded.
#include "app/form1.h"
#include "device/channel_shutdown.h"

void TForm1::FormClose(TObject *, TCloseAction &) {
    Table1->SetActive(false);
    if (DllLoaded != 1) return;
    device::CloseConnectedChannels(*this, FtdiDll.Api());
    FtdiDll.Unload();
}
