#pragma once
// The standard output of a shell command, for the tests' outside oracles (poppler, ImageMagick,
// zbar).
#include <cstdio>
#include <string>

inline std::string RunCommand(const std::string &command) {
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
    return output;
}
