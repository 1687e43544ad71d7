// The station program as main runs it, ended once the device library has loaded (Timer5, 300 ms):
// by closing its main window, or with --exit-button by a click on its own "X". The exit tests
// check that this process ends cleanly. With --print-boxes the texts of its message boxes go to
// the standard output, one a line, instead of being shown. STATION_EXIT_CHILD_AFTER_MS, when set,
// keeps the program running that long instead of 400 ms.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/entry.h"
#include "app/form1.h"

namespace {

void ClickExitButton() {
    QWidget *button = Form1->Panel6->Widget();
    const QPointF centre = button->rect().center();
    const QPointF global = button->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
    QCoreApplication::sendEvent(button, &release);
}

}  // namespace

int main(int argc, char **argv) {
    gui::EnsureQtApplication();
    const bool exitButton = argc > 1 && std::strcmp(argv[1], "--exit-button") == 0;
    if (argc > 1 && std::strcmp(argv[1], "--print-boxes") == 0)
        Application->ModalBoxResponder = [](const TModalBox &box) {
            std::printf("%s\n", box.text.toUtf8().constData());
            return IDOK;
        };
    const char *after = std::getenv("STATION_EXIT_CHILD_AFTER_MS");
    QTimer::singleShot(after != nullptr ? std::atoi(after) : 400, [exitButton] {
        if (exitButton)
            ClickExitButton();
        else
            Form1->Close();
    });
    return StationMain(argc, argv);
}
