#include "platform/gui/printer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <regex>
#include <string>

#include "platform/gui/application.h"
#include "platform/gui/gui_test_support.h"
#include "platform/gui/print_dialog.h"
#include "platform/gui/recording_canvas.h"

namespace {

std::string PdfInfo(const QString &file) {
    return RunCommand("pdfinfo -f 1 -l 9 '" + file.toStdString() + "' 2>&1");
}

struct Word {
    double xMin, yMin;
};

// Words of a PDF page by their text, in points from the page's top left.
std::map<std::string, Word> PdfWords(const QString &file, int page) {
    std::map<std::string, Word> words;
    for (const PdfWord &w : PdfPageWords(file.toStdString(), page)) words[w.text] = {w.xMin, w.yMin};
    return words;
}

double Points(int pixels) {
    return pixels * 72.0 / TPrintDialog::kTestDotsPerInch;
}

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        pdf = dir.filePath("job.pdf");
        Application->PrintDialogResponder = [this] { return std::optional<QString>(pdf); };
        Printer()->SetOrientation(poPortrait);
    }
    void TearDown() override {
        if (Printer()->Printing()) Printer()->Abort();
        Application->PrintDialogResponder = nullptr;
    }

    QTemporaryDir dir;
    QString pdf;
};

TEST_F(PrinterTest, OneJobWithAPortraitAndALandscapePage) {
    TPrinter &printer = *Printer();
    ASSERT_TRUE(TPrintDialog().Execute());
    printer.SetTitle("Kestrium-12345");
    // A4 (595 x 842 pt) at 600 dpi without margins.
    EXPECT_EQ(printer.PageWidth(), 4958);
    EXPECT_EQ(printer.PageHeight(), 7017);
    printer.BeginDoc();
    TCanvas &canvas = *printer.Canvas();
    canvas.Font().SetName("Times New Roman");
    canvas.Font().SetSize(12);
    canvas.TextOut(1200, 900, "Zażółć gęślą jaźń");
    canvas.MoveTo(100, 100);
    canvas.LineTo(4000, 100);

    printer.SetOrientation(poLandscape);
    EXPECT_EQ(printer.PageWidth(), 7017);
    EXPECT_EQ(printer.PageHeight(), 4958);
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 2);
    canvas.Font().SetStyle(fsBold);
    canvas.TextOut(6000, 300, "ŚWIADECTWO");
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());

    const std::string info = PdfInfo(pdf);
    EXPECT_TRUE(std::regex_search(info, std::regex("Title: +Kestrium-12345\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +2\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page +1 size: +595(\\.\\d+)? x 842(\\.\\d+)? pts")))
        << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page +2 size: +842(\\.\\d+)? x 595(\\.\\d+)? pts")))
        << info;

    // The top-left corner of each text's cell is where TextOut put it.
    const auto first = PdfWords(pdf, 1);
    for (const char *word : {"Zażółć", "gęślą", "jaźń"}) ASSERT_TRUE(first.count(word)) << word;
    EXPECT_NEAR(first.at("Zażółć").xMin, Points(1200), 0.5);
    EXPECT_NEAR(first.at("Zażółć").yMin, Points(900), 0.5);
    const auto second = PdfWords(pdf, 2);
    ASSERT_TRUE(second.count("ŚWIADECTWO"));
    EXPECT_NEAR(second.at("ŚWIADECTWO").xMin, Points(6000), 0.5);
    EXPECT_NEAR(second.at("ŚWIADECTWO").yMin, Points(300), 0.5);
}

TEST_F(PrinterTest, RecordingCanvasMeasuresTextLikeThePrinter) {
    ASSERT_TRUE(TPrintDialog().Execute());
    gui::RecordingCanvas recording(TPrintDialog::kTestDotsPerInch);
    TCanvas &printerCanvas = *Printer()->Canvas();
    for (TCanvas *canvas : {&printerCanvas, static_cast<TCanvas *>(&recording)}) {
        canvas->Font().SetName("Times New Roman");
        canvas->Font().SetSize(10);
        canvas->Font().SetStyle(fsBold);
    }
    for (const QString text :
         {"W", "Legalizacja jest ważna do dnia: 28 lutego 2026", "(1000 - 64000)[imp/km]"}) {
        EXPECT_EQ(recording.TextWidth(text), printerCanvas.TextWidth(text)) << text.toStdString();
        EXPECT_EQ(recording.TextHeight(text), printerCanvas.TextHeight(text));
    }
}

TEST_F(PrinterTest, EveryJobWritesItsOwnPdfFile) {
    TPrinter &printer = *Printer();
    ASSERT_TRUE(TPrintDialog().Execute());
    for (int pages : {1, 3}) {
        printer.BeginDoc();
        for (int page = 1; page < pages; ++page) printer.NewPage();
        printer.EndDoc();
    }
    EXPECT_TRUE(std::regex_search(PdfInfo(pdf), std::regex("Pages: +1\n")));
    EXPECT_TRUE(std::regex_search(PdfInfo(dir.filePath("job-2.pdf")), std::regex("Pages: +3\n")));

    // A new choice in the dialog starts the numbering again.
    pdf = dir.filePath("second.pdf");
    ASSERT_TRUE(TPrintDialog().Execute());
    printer.BeginDoc();
    printer.EndDoc();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(dir.filePath("second-2.pdf")));
}

TEST_F(PrinterTest, CancelledDialogPrintsNothing) {
    ASSERT_TRUE(TPrintDialog().Execute());
    Application->PrintDialogResponder = [] { return std::optional<QString>(); };
    EXPECT_FALSE(TPrintDialog().Execute());
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(PrinterTest, AbortRemovesTheJobsFileAndMisuseRaises) {
    TPrinter &printer = *Printer();
    ASSERT_TRUE(TPrintDialog().Execute());
    EXPECT_THROW(printer.NewPage(), EPrinter);
    EXPECT_THROW(printer.EndDoc(), EPrinter);
    printer.Canvas()->TextOut(10, 10, "ignored outside a job");

    printer.BeginDoc();
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    printer.Canvas()->TextOut(10, 10, "aborted");
    printer.NewPage();
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

    pdf = dir.filePath("missing-folder/job.pdf");
    ASSERT_TRUE(TPrintDialog().Execute());
    EXPECT_THROW(printer.BeginDoc(), EPrinter);
    EXPECT_FALSE(printer.Printing());
}

}  // namespace
