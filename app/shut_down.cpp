// Closing the window: the job table closed and the device library let go.
#include "app/form1.h"

void TForm1::FormClose(TObject *, TCloseAction &) {
    Table1->SetActive(false);
    if (DllLoaded == 1) FtdiDll.Unload();
}
