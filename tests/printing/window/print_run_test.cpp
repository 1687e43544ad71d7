#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <regex>
#include <string>

#include "app/main_window_fixture.h"
#include "platform/gui/gui_test_support.h"
#include "platform/gui/print_dialog.h"
#include "printing/print_job.h"

namespace {

double Points(int pixels) {
    return pixels * 72.0 / TPrintDialog::kTestDotsPerInch;
}

class PrintRunTest : public MainWindowTest {
protected:
    void SetUp() override {
        window = &Create();
        pdf = dir.filePath("run.pdf");
        Application->PrintDialogResponder = [this] { return std::optional<QString>(pdf); };
    }
    void TearDown() override {
        Application->PrintDialogResponder = nullptr;
        MainWindowTest::TearDown();
    }

    std::string Info(const QString &file) const {
        return RunCommand("pdfinfo '" + file.toStdString() + "' 2>&1");
    }

    // The first word of the page with this text.
    static PdfWord Find(const std::vector<PdfWord> &words, const std::string &text) {
        for (const PdfWord &w : words)
            if (w.text == text) return w;
        ADD_FAILURE() << "no word " << text;
        return {};
    }

    TForm1 *window = nullptr;
    QTemporaryDir dir;
    QString pdf;
};

TEST_F(PrintRunTest, ProtocolPrintsOnePortraitPageWithItsTextsInPlace) {
    TForm1 &w = *window;
    w.Panel247->SetColor(clBlack);
    w.Edit21->SetText("12345");
    w.Edit35->SetText("WN/17/2026");
    w.Memo5->Lines().Add("Jan Kowalski");
    w.Edit495->SetText("Załącznik A");
    w.Edit496->SetText("Załącznik B");
    w.Edit497->SetText("---");
    w.Memo19->Lines().Add("Jednostka notyfikowana");
    w.TestedTariffNames[2] = "12";
    w.TestedTariffNames[9] = "31";

    w.Drukuj();

    const std::string info = Info(pdf);
    EXPECT_TRUE(std::regex_search(info, std::regex("Title: +Kestrium-12345\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +1\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +595(\\.\\d+)? x 842(\\.\\d+)? pts"))) << info;
    EXPECT_FALSE(QFile::exists(dir.filePath("run-2.pdf")));  // no landscape job
    EXPECT_EQ(w.PrintedTariffCount, 2);
    EXPECT_EQ(w.PrintPageWidth, 4958);
    EXPECT_FLOAT_EQ(w.PrintScale, 4961.0f / 4958.0f);

    // u = 236 px: "Nr wniosku" at 1.1 u, 2.3 u; "Wnioskodawca:" at 1.1 u, 6.4 u; its value at 6.1 u.
    const std::vector<PdfWord> words = PdfPageWords(pdf.toStdString(), 1);
    struct Place {
        const char *word;
        int x, y;
    };
    for (const Place &p : {Place{"Nr", 259, 542}, Place{"Wnioskodawca:", 259, 1510}, Place{"Jan", 1439, 1510},
                           Place{"WN/17/2026", 1911, 542}}) {
        const PdfWord word = Find(words, p.word);
        EXPECT_NEAR(word.xMin, Points(p.x), 3.0) << p.word;  // a leading space of the value lies before it
        EXPECT_NEAR(word.yMin, Points(p.y), 0.5) << p.word;
    }

    QFile lz("lz.txt");
    ASSERT_TRUE(lz.open(QIODevice::ReadOnly));
    const QByteArray text = lz.readAll();
    EXPECT_EQ(text.count("\r\n"), 9);
    EXPECT_EQ(
        text,
        QByteArray("Za\xb3\xb9\x63znik A\r\nZa\xb3\xb9\x63znik B\r\n---\r\nJednostka notyfikowana\r\n\r\n\r\n\r\n\r\n\r\n"));
    EXPECT_EQ(w.Memo16->Lines().Count(), 0);
}

TEST_F(PrintRunTest, CancelledDialogPrintsNothing) {
    TForm1 &w = *window;
    w.Panel247->SetColor(clBlack);
    w.PrintedTariffCount = 7;
    Application->PrintDialogResponder = [] { return std::optional<QString>(); };
    w.Drukuj();
    EXPECT_EQ(w.PrintDevice, nullptr);
    EXPECT_EQ(w.PrintedTariffCount, 7);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PrintRunTest, NothingChosenBeginsNoJobAndLeavesThePrinterInPortrait) {
    window->Drukuj();
    EXPECT_EQ(window->PrintDevice, Printer());
    EXPECT_EQ(Printer()->Orientation(), poPortrait);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PrintRunTest, FailedRunRestoresTheScreensAndFreesThePrinter) {
    TForm1 &w = *window;
    w.Panel247->SetColor(clBlack);
    w.Panel239->Hide();
    w.Panel7->Show();
    pdf = dir.filePath("missing-folder/run.pdf");
    EXPECT_THROW(w.PrintFromOptionsScreen(), EPrinter);
    EXPECT_FALSE(w.Panel7->Visible());
    EXPECT_FALSE(w.Panel155->Visible());
    EXPECT_TRUE(w.Panel239->Visible());
    EXPECT_FALSE(Printer()->Printing());

    // The next run prints.
    pdf = dir.filePath("run.pdf");
    w.PrintFromOptionsScreen();
    EXPECT_TRUE(std::regex_search(Info(pdf), std::regex("Pages: +1\n")));
    EXPECT_TRUE(w.Panel239->Visible());
}

TEST_F(PrintRunTest, FailureInsideAJobAbortsItAndRemovesItsFile) {
    ASSERT_TRUE(TPrintDialog().Execute());
    TPrinter &printer = *Printer();
    const auto drawAndFail = [&] {
        printing::PrintJobScope job(printer);
        printer.Canvas()->TextOut(100, 100, "---");
        throw Exception("page failed");
    };
    EXPECT_THROW(drawAndFail(), Exception);
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
