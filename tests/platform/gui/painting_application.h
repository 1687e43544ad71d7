#pragma once
// Painting, fonts and printers need a Qt application object; the tests that paint create one
// (once per test program) unless another part of the program already has.
#include <QApplication>

inline void EnsurePaintingApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "gui_test";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the program ends
}
