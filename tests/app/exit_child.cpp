// The station program as main runs it, with its main window closed once the device library has
// loaded (Timer5, 300 ms): the exit test checks that this process ends cleanly.
#include <QTimer>

#include "app/entry.h"
#include "app/form1.h"

int main(int argc, char **argv) {
    gui::EnsureQtApplication();
    QTimer::singleShot(400, [] { Form1->Close(); });
    return StationMain(argc, argv);
}
