// Shows the framework's test windows one after the other and saves a picture of the whole screen
// with each into the given folder, for looking at them on a real display (e.g. under Xvfb).
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include "tests/platform/gui/big_window.h"
#include "tests/platform/gui/test_window.h"

namespace {

template <class T>
void SaveScreenWith(const QString &folder, const QString &name) {
    auto window = CreateForm<T>();
    window->Show();
    // Lets the display server map and paint the window.
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(25);
    }
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + ".png"));
}

}  // namespace

int main(int argc, char **argv) {
    gui::EnsureQtApplication();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    SaveScreenWith<TTestWindow>(folder, "test_window");
    SaveScreenWith<TBigWindow>(folder, "big_window");
    Application->Shutdown();
    return 0;
}
