#pragma once
// Helpers of the framework's painting tests.
#include <QApplication>
#include <cstdio>
#include <string>

// Painting, fonts and printers need a Qt application object; the tests that paint create one
// (once per test program) unless another part of the program already has.
inline void EnsurePaintingApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "gui_test";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives until the program ends
}

// The standard output of a shell command (the test oracles: poppler, ImageMagick).
inline std::string RunCommand(const std::string &command) {
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
    return output;
}
