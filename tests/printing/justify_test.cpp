#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <regex>
#include <string>
#include <vector>

#include "platform/gui/gui_test_support.h"
#include "platform/gui/print_dialog.h"
#include "platform/gui/recording_canvas.h"
#include "printing/page_text.h"
#include "printing/page_units.h"
#include "tests/printing/pdf_printer.h"

namespace {

using Calls = std::vector<std::string>;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

std::string TextOut(int x, int y, const QString &text) {
    return "TextOut(" + std::to_string(x) + ", " + std::to_string(y) + ", \"" + text.toStdString() + "\")";
}

class JustifyLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        canvas.Font().SetName("Times New Roman");
        canvas.Font().SetSize(8);
        canvas.ClearCalls();
        measure.Font().SetName("Times New Roman");
        measure.Font().SetSize(10);
    }

    // The width of text at size 10, the size the lines are justified at.
    int Width(const QString &text) const { return measure.TextWidth(text); }

    // Justifies text at size 10 from x = 300 to leave `available` pixels, with a right margin of 200.
    QString Justify(const QString &text, int available, double y = 500.7) {
        return printing::JustifyLine(canvas, 300 + available + 200, text, 10, 300, 200, y);
    }

    gui::RecordingCanvas canvas;
    gui::RecordingCanvas measure;
};

TEST_F(JustifyLineTest, SpacesGoRoundRobinFromTheFirstGapAndTheSlackAfterTheFirstWord) {
    // Room for three more spaces and one pixel: after word 0, after word 1, after word 0 again.
    const int available = Width("aa   bb  cc") + 1;
    ASSERT_GT(Width("aa   bb   cc"), available);
    EXPECT_EQ(Justify("aa bb cc", available), "bb  cc");
    EXPECT_THAT(canvas.Calls(),
                ElementsAreArray(Calls{"Font.Size=10", TextOut(300, 500, "aa   "),
                                       TextOut(300 + 1 + Width("aa   "), 500, "bb  cc"), "Font.Size=8"}));
}

TEST_F(JustifyLineTest, LineAsWideAsTheSpaceOrWiderIsDrawnAsItStands) {
    for (int extra : {0, -30}) {
        SCOPED_TRACE(extra);
        canvas.ClearCalls();
        EXPECT_EQ(Justify("Zakres badań obejmuje", Width("Zakres badań obejmuje") + extra), "badań obejmuje");
        EXPECT_THAT(
            canvas.Calls(),
            ElementsAreArray(Calls{"Font.Size=10", TextOut(300, 500, "Zakres "),
                                   TextOut(300 + Width("Zakres "), 500, "badań obejmuje"), "Font.Size=8"}));
    }
}

TEST_F(JustifyLineTest, OneWordIsDrawnAtTheStart) {
    EXPECT_EQ(Justify("Oględziny", 2000), "");
    EXPECT_THAT(canvas.Calls(),
                ElementsAreArray(Calls{"Font.Size=10", TextOut(300, 500, "Oględziny"), "Font.Size=8"}));
}

TEST_F(JustifyLineTest, EmptyTextOrAPageWithoutWidthDrawsNothing) {
    EXPECT_EQ(Justify("", 2000), "");
    EXPECT_THAT(canvas.Calls(), IsEmpty());
    EXPECT_EQ(printing::JustifyLine(canvas, 0, "aa bb", 10, 300, 200, 10), "");
    EXPECT_THAT(canvas.Calls(), IsEmpty());
    EXPECT_EQ(canvas.Font().Size(), 8);
}

TEST_F(JustifyLineTest, LongLinesKeepEveryWordAndEndAtTheRightEdge) {
    QStringList words;
    for (int i = 0; i < 300; ++i) words << QString::number(i);
    const QString text = words.join(' ');
    const int available = Width(text) + 20 * Width(" ");
    const QString rest = Justify(text, available);
    EXPECT_EQ(rest.split(' ', Qt::SkipEmptyParts), words.mid(1));
    // Twenty spaces went in, one in each of the first twenty gaps.
    EXPECT_TRUE(rest.startsWith("1  2  3  ")) << rest.toStdString();
    ASSERT_EQ(canvas.Calls().size(), 4u);
    // "TextOut(x, y, ...)" of the rest of the line.
    const int end = std::stoi(canvas.Calls()[2].substr(8)) + Width(rest);
    EXPECT_LE(end, 300 + available);
    EXPECT_GT(end, 300 + available - Width(" "));
}

// A justified line printed through the printer ends at the right margin in the PDF.
TEST(SetJustifyTest, PrintedLineEndsAtTheRightMargin) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("justify.pdf");
    TPrinter &printer = PdfPrinter(pdf);
    const int m = printing::BaseLength(printer.PageWidth(), poPortrait);
    const int margin = printing::ToPixels(2.2L, m);
    printer.BeginDoc();
    TCanvas &canvas = *printer.Canvas();
    canvas.Font().SetName("Times New Roman");
    canvas.Font().SetSize(12);
    canvas.Brush().SetStyle(bsClear);
    SetJustify("Zakres sprawdzenia obejmował oględziny zewnętrzne i wyznaczenie błędów", 10, margin, margin,
               printer, 5.1 * m);
    EXPECT_EQ(canvas.Font().Size(), 12);
    printer.EndDoc();

    const std::string html = RunCommand("pdftotext -bbox '" + pdf.toStdString() + "' - 2>&1");
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    std::vector<std::smatch> words(std::sregex_iterator(html.begin(), html.end(), word),
                                   std::sregex_iterator());
    ASSERT_EQ(words.size(), 8u) << html;
    const double pointsPerPixel = 72.0 / TPrintDialog::kTestDotsPerInch;
    EXPECT_EQ(words.front()[4], "Zakres");
    EXPECT_NEAR(std::stod(words.front()[1]), margin * pointsPerPixel, 0.5);
    EXPECT_NEAR(std::stod(words.front()[2]), printing::TruncPixel(5.1 * m) * pointsPerPixel, 0.5);
    EXPECT_EQ(words.back()[4], "błędów");
    // The line ends at x + W, within the width of a space at 10 points (2.5 pt).
    const double right = (printer.PageWidth() - margin) * pointsPerPixel;
    EXPECT_LE(std::stod(words.back()[3]), right + 0.5);
    EXPECT_GT(std::stod(words.back()[3]), right - 2.5);
}

}  // namespace
