#pragma once
// The paper check of every printed page: reads a PDF with pdftotext -bbox and lists each pair of
// words whose boxes intersect (one printed over the other) and each word that leaves its page.
#include <QString>
#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "tests/platform/gui/gui_test_support.h"

namespace printtest {

// A word as pdftotext boxes it, in points from the page's top left.
struct WordBox {
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct PageBoxes {
    double width = 0, height = 0;
    std::vector<WordBox> words;
};

// Every page of a PDF file with its words; empty for a file poppler cannot read. The reader keeps
// only the glyphs that start on the page, so a word running off it is seen by its part on paper.
inline std::vector<PageBoxes> PdfWordBoxes(const std::string &file) {
    const std::string html = RunCommand("pdftotext -bbox '" + file + "' - 2>/dev/null");
    static const std::regex item(
        R"re(<page width="([0-9.]+)" height="([0-9.]+)">|<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
    std::vector<PageBoxes> pages;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), item); it != std::sregex_iterator(); ++it) {
        const std::smatch &m = *it;
        if (m[1].matched) {
            pages.push_back({std::stod(m[1]), std::stod(m[2]), {}});
        } else if (!pages.empty()) {
            pages.back().words.push_back(
                {m[7], std::stod(m[3]), std::stod(m[4]), std::stod(m[5]), std::stod(m[6])});
        }
    }
    return pages;
}

// Boxes that share less than this many points across only touch: rounding puts neighbours a hair
// into each other.
inline constexpr double kTouch = 0.3;
// A word's box spans its face's whole ascent and descent, more than the pitch of closely set
// lines; the boxes of two such lines share a strip where only a descender could meet an accent.
// Words overprint when their boxes share more than this part of the lower box's height.
inline constexpr double kLineShare = 0.25;

inline bool Intersect(const WordBox &a, const WordBox &b) {
    const double across = std::min(a.xMax, b.xMax) - std::max(a.xMin, b.xMin);
    const double down = std::min(a.yMax, b.yMax) - std::max(a.yMin, b.yMin);
    const double lower = std::min(a.yMax - a.yMin, b.yMax - b.yMin);
    return across > kTouch && down > std::max(kTouch, kLineShare * lower);
}

inline bool LeavesPage(const WordBox &w, const PageBoxes &page) {
    return w.xMin < -kTouch || w.yMin < -kTouch || w.xMax > page.width + kTouch ||
           w.yMax > page.height + kTouch;
}

// One line per fault: "page 2: "UWAGI:" overprints "brak"", "page 1: "x" leaves the page";
// nothing for clean paper.
inline std::vector<std::string> Overprints(const std::vector<PageBoxes> &pages) {
    std::vector<std::string> faults;
    for (size_t p = 0; p < pages.size(); ++p) {
        const std::vector<WordBox> &words = pages[p].words;
        const std::string where = "page " + std::to_string(p + 1) + ": \"";
        for (size_t i = 0; i < words.size(); ++i) {
            if (LeavesPage(words[i], pages[p]))
                faults.push_back(where + words[i].text + "\" leaves the page");
            for (size_t j = i + 1; j < words.size(); ++j)
                if (Intersect(words[i], words[j]))
                    faults.push_back(where + words[i].text + "\" overprints \"" + words[j].text + "\"");
        }
    }
    return faults;
}

inline std::vector<std::string> Overprints(const QString &pdf) {
    return Overprints(PdfWordBoxes(pdf.toStdString()));
}

}  // namespace printtest
