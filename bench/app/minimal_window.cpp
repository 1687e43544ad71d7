// The start-up and idle benches' peer: a minimal Qt 6 window of the main window's size, shown at
// the top left of the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setGeometry(0, 0, 1870, 960);
    window.show();
    return application.exec();
}
