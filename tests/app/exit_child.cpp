// The station program as main runs it, with its main window closed as soon as the event loop
// runs: the exit test checks that this process ends cleanly.
#include <QTimer>

#include "app/entry.h"
#include "app/form1.h"

int main(int argc, char **argv) {
    gui::EnsureQtApplication();
    QTimer::singleShot(0, [] { Form1->Close(); });
    return StationMain(argc, argv);
}
