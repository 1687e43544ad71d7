#pragma once
// Helpers of the framework's painting tests (which create the Qt application with
// gui::EnsureQtApplication).
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "platform/gui/application.h"
#include "tests/support/command_output.h"

// A word of a PDF page as pdftotext places it, in points from the page's top left.
struct PdfWord {
    std::string text;
    double xMin, yMin, xMax;
};

// The words of one page of a PDF file, in reading order.
inline std::vector<PdfWord> PdfPageWords(const std::string &file, int page) {
    const std::string html = RunCommand("pdftotext -bbox -f " + std::to_string(page) + " -l " +
                                        std::to_string(page) + " '" + file + "' - 2>&1");
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
        words.push_back({(*it)[4], std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3])});
    return words;
}
