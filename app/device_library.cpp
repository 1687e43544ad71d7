// Loading the device library at run time.
#include "app/form1.h"

void TForm1::Timer5Timer(TObject *) {
    TimerDll();
}

void TForm1::TimerDll() {
    if (!FtdiDll.Load(DeviceLibraryName)) {
        for (TTimer *timer : {Timer1, Timer14, Timer3, Timer5}) timer->SetEnabled(false);
        Application->MessageBox(QStringLiteral("Brak biblioteki ftd2xx.dll\n lub interfejs nie jest zainstalowany! "),
                                QStringLiteral("INFO"), MB_OK);
        DllLoaded = 0;
        return;
    }
    DllLoaded = 1;
    Timer5->SetEnabled(false);
    Timer3->SetEnabled(true);
}
