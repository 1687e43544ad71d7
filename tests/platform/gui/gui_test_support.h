#pragma once
// Helpers of the framework's painting tests (which create the Qt application with
// gui::EnsureQtApplication).
#include <cstdio>
#include <string>

#include "platform/gui/application.h"

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
