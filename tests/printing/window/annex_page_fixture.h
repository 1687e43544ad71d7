#pragma once
// Pages of the main window printed straight to a PDF through the framework's printer, checked for
// overprinted words, and read back: words with their places (pdftotext -bbox) and regions rendered
// as pictures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window_fixture.h"
#include "platform/gui/gui_test_support.h"
#include "platform/gui/print_dialog.h"
#include "printing/print_job.h"
#include "tests/printing/overprint_check.h"
#include "tests/printing/pdf_printer.h"

class PrintedPageTest : public MainWindowTest {
protected:
    void SetUp() override {
        window = &Create();
        // STATION_KEEP_PAGES=1 keeps the printed files to look at.
        dir.setAutoRemove(qEnvironmentVariableIsEmpty("STATION_KEEP_PAGES"));
    }

    // Prints one job of the given pages; returns the file.
    QString PrintPages(TPrinterOrientation orientation, const std::vector<std::function<void(TCanvas &, int)>> &pages,
                       const QString &name = "page.pdf") {
        const QString pdf = dir.filePath(name);
        TPrinter &printer = PdfPrinter(pdf, orientation);
        window->PrintDevice = &printer;
        window->PrintPageWidth = printer.PageWidth();
        baseUnit = printer.PageWidth() / (orientation == poPortrait ? 21 : 30);
        printing::PrintJobScope job(printer);
        TCanvas &canvas = *printer.Canvas();
        canvas.Font().SetName("Times New Roman");
        canvas.Font().SetSize(9);
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) printer.NewPage();
            pages[i](canvas, baseUnit);
        }
        job.End();
        if (checkPaper) {
            EXPECT_THAT(printtest::Overprints(pdf), ::testing::IsEmpty()) << name.toStdString();
        }
        return pdf;
    }

    static double Points(double pixels) { return pixels * 72.0 / TPrintDialog::kTestDotsPerInch; }

    // Every run of words reading `text` on a page, by where its first word starts (pdftotext puts
    // a word's box at its glyphs, so a little right of and below the point the text was drawn at).
    struct Found {
        double x = 0, y = 0;
    };
    static std::vector<Found> FindText(const std::vector<PdfWord> &words, const std::string &text) {
        std::vector<Found> found;
        for (size_t i = 0; i < words.size(); ++i) {
            std::string joined;
            for (size_t j = i; j < words.size() && joined.size() < text.size(); ++j) {
                joined += (j > i ? " " : "") + words[j].text;
                if (joined == text) found.push_back({words[i].xMin, words[i].yMin});
            }
        }
        return found;
    }
    // `text` stands at (x, y) in base units: within 0.15 unit across and 0.25 unit down.
    void ExpectAt(const std::vector<PdfWord> &words, const std::string &text, double x, double y) const {
        const std::vector<Found> found = FindText(words, text);
        ASSERT_FALSE(found.empty()) << "missing: " << text;
        const double px = Points(x * baseUnit), py = Points(y * baseUnit);
        const auto distance = [&](const Found &f) { return std::abs(f.x - px) + std::abs(f.y - py); };
        const Found best = *std::min_element(found.begin(), found.end(),
                                             [&](const Found &a, const Found &b) { return distance(a) < distance(b); });
        EXPECT_NEAR(best.x, px, Points(0.15 * baseUnit)) << text;
        EXPECT_NEAR(best.y, py, Points(0.25 * baseUnit)) << text;
        EXPECT_GE(best.y, py - 0.5) << text;
    }
    // A text and where it stands, in base units.
    struct Place {
        const char *text;
        double x, y;
    };
    // Every text at its place; the places multiplied by `scale` for a page laid out in another unit.
    void ExpectPlaces(const std::vector<PdfWord> &words, std::initializer_list<Place> places,
                      double scale = 1) const {
        for (const Place &p : places) ExpectAt(words, p.text, p.x * scale, p.y * scale);
    }
    void ExpectPresent(const std::vector<PdfWord> &words, const std::string &text) const {
        EXPECT_FALSE(FindText(words, text).empty()) << "missing: " << text;
    }
    void ExpectAbsent(const std::vector<PdfWord> &words, const std::string &text) const {
        EXPECT_TRUE(FindText(words, text).empty()) << "present: " << text;
    }
    // The job's texts typed into their edits.
    static void SetTexts(std::initializer_list<std::pair<TEdit *, const char *>> texts) {
        for (const auto &[edit, text] : texts) edit->SetText(QString::fromUtf8(text));
    }

    TForm1 *window = nullptr;
    QTemporaryDir dir;
    int baseUnit = 0;  // the page's base unit in pixels
    bool checkPaper = true;  // every printed page is checked for overprinted words
};
