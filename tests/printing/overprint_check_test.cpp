// The paper check itself: words printed over each other or off the page are found in a real PDF,
// and words that merely stand close are not.
#include "tests/printing/overprint_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "printing/print_job.h"
#include "tests/printing/pdf_printer.h"

namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;

TEST(OverprintCheckTest, BoxesThatShareMoreThanATouchOrALineStripIntersect) {
    const printtest::WordBox word{"stałej", 100, 100, 130, 110};
    struct Case {
        printtest::WordBox other;
        bool intersects;
    };
    const Case cases[] = {
        {{"k:", 125, 102, 135, 112}, true},          // on top of the word's end
        {{"in", 110, 103, 115, 108}, true},          // wholly inside
        {{"next", 130.2, 100, 150, 110}, false},     // touching its end
        {{"below", 100, 107.6, 130, 117.6}, false},  // the next line set closely: the boxes share a strip
        {{"half", 100, 105, 130, 115}, true},        // half a line down
        {{"far", 200, 100, 220, 110}, false},        // the same line, apart
        {{"under", 100, 111, 130, 121}, false},      // the next line
        {{"tall", 129.0, 90, 140, 120}, true},       // a point into the word's end, across its height
        {{"small", 128, 101, 131, 105}, true},       // a superscript on the word's end
    };
    for (const Case &c : cases) {
        EXPECT_EQ(printtest::Intersect(word, c.other), c.intersects) << c.other.text;
        EXPECT_EQ(printtest::Intersect(c.other, word), c.intersects) << c.other.text;
    }
}

// Two texts drawn over each other and one run off the right edge are reported with their page;
// the clean second page reports nothing.
TEST(OverprintCheckTest, PrintedPdfReportsOverprintsAndWordsOffThePage) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("overprint.pdf");
    TPrinter &printer = PdfPrinter(pdf);
    {
        printing::PrintJobScope job(printer);
        TCanvas &canvas = *printer.Canvas();
        canvas.Font().SetName("Times New Roman");
        canvas.Font().SetSize(10);
        canvas.Brush().SetStyle(bsClear);
        canvas.TextOut(600, 600, "UWAGI:");
        canvas.TextOut(600 + canvas.TextWidth("UWA"), 620, "brak");
        canvas.TextOut(600 + canvas.TextWidth("UWAGI: "), 1200, "obok");
        canvas.TextOut(printer.PageWidth() - canvas.TextWidth("za"), 2000, "zawiele");
        printer.NewPage();
        canvas.TextOut(600, 600, "UWAGI:");
        canvas.TextOut(600 + canvas.TextWidth("UWAGI: "), 600, "brak");
        canvas.TextOut(600, 600 + canvas.TextHeight("X"), "pod spodem");
        job.End();
    }
    ASSERT_EQ(printtest::PdfWordBoxes(pdf.toStdString()).size(), 2u);
    // The reader keeps the glyphs that start on the page: the word is seen by its part on paper.
    EXPECT_THAT(printtest::Overprints(pdf),
                ElementsAre("page 1: \"UWAGI:\" overprints \"brak\"", StartsWith("page 1: \"za")));
    EXPECT_THAT(printtest::Overprints(pdf).back(), EndsWith("\" leaves the page"));
    EXPECT_THAT(printtest::Overprints(printtest::PdfWordBoxes("/nonexistent.pdf")), IsEmpty());
}

}  // namespace
