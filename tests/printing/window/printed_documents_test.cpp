// Documents printed to PDF through the print run: every text the page draws is found by poppler
// where the page put it, within half a point, in its weight, with its Polish letters; pages, sizes
// and orientation as the run planned them.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <regex>

#include "platform/gui/gui_test_support.h"
#include "platform/gui/print_dialog.h"
#include "platform/gui/printer.h"
#include "printing/page_units.h"
#include "printing/print_job.h"
#include "tests/printing/drawn_texts.h"
#include "tests/printing/window/print_window_fixture.h"

namespace {

constexpr int kPortraitM = 4958 / 21;  // A4 portrait at 600 dpi

double Points(double pixels) {
    return pixels * 72.0 / TPrintDialog::kTestDotsPerInch;
}

class PrintedDocumentsTest : public PrintWindowTest {
protected:
    // Draws a page on a recording canvas as the run does and checks that every text it drew stands
    // on page `pageNumber` of the PDF: the first word of each text at its place and in its weight.
    // `face` is the face the printer canvas had when the page began.
    template <class Page>
    void ExpectPageMatches(int pageNumber, Page drawPage, const QString &face = "Times New Roman") {
        TextRecordingCanvas canvas;
        canvas.Font().SetName(face);
        canvas.Font().SetSize(9);
        drawPage(canvas, kPortraitM);
        const std::vector<PdfWord> words = PdfPageWords(pdf.toStdString(), pageNumber);
        int checked = 0, weighed = 0;
        for (const DrawnText &drawn : canvas.texts) {
            const QStringList parts = drawn.text.split(' ', Qt::SkipEmptyParts);
            if (parts.isEmpty()) continue;
            // Where the first word starts: after the blanks that lead the text.
            TextRecordingCanvas measure;
            measure.Font().SetName(drawn.face);
            measure.Font().SetSize(drawn.size);
            measure.Font().SetStyle(drawn.bold ? TFontStyles(fsBold) : TFontStyles(0));
            const QString lead = drawn.text.left(drawn.text.indexOf(parts[0]));
            const double x = Points(drawn.x + measure.TextWidth(lead));
            const double y = Points(drawn.y);
            const std::string word = parts[0].toHtmlEscaped().toStdString();  // as pdftotext writes it
            const auto found = std::find_if(words.begin(), words.end(), [&](const PdfWord &pw) {
                return pw.text.rfind(word, 0) == 0 && std::abs(pw.xMin - x) <= 0.5 &&
                       std::abs(pw.yMin - y) <= 0.5;
            });
            ASSERT_NE(found, words.end()) << "\"" << drawn.text.toStdString() << "\" at " << x << ", " << y;
            ++checked;
            if (found->text != word || parts[0].size() < 3) continue;
            // The weight: the printed width is nearer the width of the drawn weight than the other.
            const double printed = found->xMax - found->xMin;
            const double same = Points(measure.TextWidth(parts[0]));
            measure.Font().SetStyle(drawn.bold ? TFontStyles(0) : TFontStyles(fsBold));
            const double other = Points(measure.TextWidth(parts[0]));
            if (std::abs(same - other) < 0.2) continue;  // digits are as wide in both weights
            ++weighed;
            EXPECT_LT(std::abs(printed - same), std::abs(printed - other)) << drawn.text.toStdString();
        }
        EXPECT_GT(checked, 0);
        EXPECT_GT(weighed, 10);
    }

    // Pages that the print run does not call, printed as it prints its own: one portrait job.
    void PrintPortraitJob(const std::vector<std::function<void(TCanvas &, int)>> &pages) {
        ASSERT_TRUE(w->PrintDialog1->Execute());
        TPrinter &printer = *Printer();
        printer.SetOrientation(poPortrait);
        const int m = printing::BaseLength(printer.PageWidth(), poPortrait);
        ASSERT_EQ(m, kPortraitM);
        printing::PrintJobScope job(printer);
        printer.Canvas()->Font().SetName("Times New Roman");
        printer.Canvas()->Font().SetSize(9);
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) printer.NewPage();
            pages[i](*printer.Canvas(), m);
        }
        job.End();
    }
};

QString CourseValues(const QString &number) {
    QStringList lines;
    for (int i = 0; i < 27; ++i) lines << QString::number(i) + ",50";
    lines[0] = number;
    lines[1] = "2026-12-10 09:15:00";
    lines[2] = "2026-12-10 09:42:13";
    lines[3] = "00:27:13";
    lines[23] = "0,00";
    return lines.join("\r\n");
}

TEST_F(PrintedDocumentsTest, CourseAnnexAndInspectionAnnexPrintInOrder) {
    w->Panel405->SetColor(clBlack);
    w->Panel248->SetColor(clBlack);
    w->MeterFamily = 1;
    w->Edit21->SetText("ŻÓŁW-0042");
    for (TPanel *item : w->InspectionItemPanels) item->SetCaption("+");
    w->InspectionItemPanels[5]->SetCaption("-");
    w->InspectionItemPanels[19]->SetCaption("ND");
    w->Label468->SetCaption(CourseValues("0042"));
    w->Label469->SetCaption(CourseValues("0099"));
    w->Label470->SetCaption(CourseValues("0042"));
    w->Label465->SetCaption("KURS: 12\r\nTaryfa: E3/System: D");
    w->Label467->SetCaption("KURS: 10\r\nSystem: S");
    w->CourseTariffGroup = {2, 255, 255};
    w->CourseTariffUnits[0] = {15, 0, 4, 0xFFFFFFFF};
    for (int slot = 8; slot < 12; ++slot) {
        w->TariffParams[evaluation::kDps][slot] = "1000";
        w->TariffParams[evaluation::kCps][slot] = "120";
        w->TariffParams[evaluation::kOplD][slot] = "3,50";
        w->TariffParams[evaluation::kOplC][slot] = "60,00";
    }

    w->Drukuj();

    const std::string info = Info();
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +2\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +595(\\.\\d+)? x 842(\\.\\d+)? pts"))) << info;
    EXPECT_FALSE(QFile::exists(dir.filePath("run-2.pdf")));
    EXPECT_TRUE(boxes.empty());
    ExpectPageMatches(1, [this](TCanvas &canvas, int m) { w->SetPrintLumerant(canvas, m); });
    ExpectPageMatches(2, [this](TCanvas &canvas, int m) { w->SetPrintOgledziny(canvas, m); });

    // Polish letters come through as they were typed.
    const std::string page2 = RunCommand("pdftotext -f 2 -l 2 '" + pdf.toStdString() + "' -");
    for (const char *text :
         {"ZAŁĄCZNIK", "ŻÓŁW-0042", "Oględziny zewnętrzne wykonał/a", "zasilająco-sterująca"})
        EXPECT_NE(page2.find(text), std::string::npos) << text;
    const std::string page1 = RunCommand("pdftotext -f 1 -l 1 '" + pdf.toStdString() + "' -");
    for (const char *text : {"Załącznik C.", "OBLICZANIE OPŁATY", "N1÷N4", "nr. 0042"})
        EXPECT_NE(page1.find(text), std::string::npos) << text;
}

TEST_F(PrintedDocumentsTest, DashesAndOverlongTextsPrintAsTheyStand) {
    w->Panel247->SetColor(clBlack);
    w->Panel405->SetColor(clBlack);
    w->Panel248->SetColor(clBlack);
    const QString longText = QString("Bardzo długi tekst ąęśćżźńół ").repeated(12);
    for (TEdit *edit :
         {w->Edit20, w->Edit21, w->Edit35, w->Edit10, w->Edit9, w->Edit495, w->Edit496, w->Edit497})
        edit->SetText(longText);
    w->Edit22->SetText("---");
    w->Memo10->Lines().Add(longText);
    w->Memo10->Lines().Add("---");
    for (TPanel *item : w->InspectionItemPanels) item->SetCaption(longText);
    w->Label468->SetCaption("---");  // no course yet: the annex carries its title alone
    w->Label465->SetCaption("---");
    w->Label469->SetCaption(longText);
    w->CourseTariffGroup = {200, 7, 255};

    w->Drukuj();

    EXPECT_TRUE(std::regex_search(Info(), std::regex("Pages: +3\n"))) << Info();
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintedDocumentsTest, ACourseTextWithoutItsLinesStillPrints) {
    w->Panel405->SetColor(clBlack);
    w->Label468->SetCaption("0042");  // the number alone: every other value reads as empty
    w->Label465->SetCaption("KURS: 1");
    w->Drukuj();
    EXPECT_TRUE(std::regex_search(Info(), std::regex("Pages: +1\n")));
    const std::string text = RunCommand("pdftotext '" + pdf.toStdString() + "' -");
    EXPECT_NE(text.find("nr. 0042"), std::string::npos);
}

TEST_F(PrintedDocumentsTest, TestReportPrintsTwoPagesAndRewritesTheAnnexList) {
    w->Memo5->Lines().Clear();
    w->Memo5->Lines().Add("Przedsiębiorstwo Taxi Żuraw");
    w->Memo5->Lines().Add("ul. Długa 5, Łódź");
    w->Edit21->SetText("0042");
    w->Edit22->SetText("2019-05");
    w->Edit27->SetText("USB-QM");
    w->Edit28->SetText("17");
    w->TrybFiskalny = "TAK";
    w->TariffPageCode = {'A', 'C', 'E', 'H'};
    w->TariffGroupTexts[0] = {"2024-01-01", "2030-12-31"};
    w->TariffGroupTexts[1] = {"2000-01-01", "2000-01-01"};
    w->TariffPageActiveCount = {4, 2, 0xFF, 1};
    for (int slot = 0; slot < 16; ++slot) w->TariffParams[evaluation::kOplP][slot] = "8,00";
    w->Edit495->SetText("Załącznik A - Oględziny zewnętrzne");
    w->Edit496->SetText("");
    w->Edit497->SetText("---");
    w->Memo19->Lines().Clear();
    w->Memo19->Lines().Add("Jednostka notyfikowana 1446");

    PrintPortraitJob({[this](TCanvas &canvas, int m) { w->SetPrintProtokolBadan(canvas, m); },
                      [this](TCanvas &canvas, int m) { w->SetPrintProtokolBadan2(canvas, m); }});

    EXPECT_TRUE(std::regex_search(Info(), std::regex("Pages: +2\n"))) << Info();
    ExpectPageMatches(1, [this](TCanvas &canvas, int size) { w->SetPrintProtokolBadan(canvas, size); });
    ExpectPageMatches(2, [this](TCanvas &canvas, int size) { w->SetPrintProtokolBadan2(canvas, size); });
    const std::string page1 = RunCommand("pdftotext -f 1 -l 1 '" + pdf.toStdString() + "' -");
    for (const char *text : {"PROTOKÓŁ BADAŃ TAKSOMETRU", "Przedsiębiorstwo Taxi Żuraw, ul. Długa 5, Łódź",
                             "USB-QM Nr 17", "Rok produkcji:", "2019", "STRONA 1/2"})
        EXPECT_NE(page1.find(text), std::string::npos) << text;

    // The annex list: nine lines, an empty second one, the notified-body lines after the titles.
    const QStringList lz = ReadTextFileLines("lz.txt");
    EXPECT_EQ(lz, (QStringList{"Załącznik A - Oględziny zewnętrzne", "", "---", "Jednostka notyfikowana 1446",
                               "", "", "", "", ""}));
    EXPECT_EQ(w->Memo16->Lines().Count(), 0);
}

// The first line of each page of a PDF file.
std::vector<std::string> PageHeads(const QString &file, int pages) {
    std::vector<std::string> heads;
    for (int page = 1; page <= pages; ++page) {
        const std::string text = RunCommand("pdftotext -f " + std::to_string(page) + " -l " +
                                            std::to_string(page) + " '" + file.toStdString() + "' -");
        heads.push_back(text.substr(0, text.find('\n')));
    }
    return heads;
}

TEST_F(PrintedDocumentsTest, TickBoxesAndSwitchesGiveTheDocumentsInTheirOrder) {
    const std::string protocol =
        "Protokół sprawdzenia przy legalizacji ponownej taksometrów wprowadzonych do obrotu lub";
    const std::string annexC = "Załącznik C. Sprawdzanie poprawności pracy interfejsów urządzeń zewnętrznych";
    const std::string annexA = "ZAŁĄCZNIK A. Oględziny zewnętrzne i sprawdzenie działania taksometru.";
    struct Case {
        const char *name;
        std::vector<TPanel *> chosen;
        bool changeProcedure;
        std::vector<std::string> heads;  // of the portrait job
    };
    const Case cases[] = {
        {"protocol, C and A", {w->Panel248, w->Panel405, w->Panel247}, false, {protocol, annexC, annexA}},
        {"A alone", {w->Panel248}, false, {annexA}},
        {"C before A", {w->Panel248, w->Panel405}, false, {annexC, annexA}},
        {"change procedure: its own protocol",
         {w->Panel247, w->Panel248},
         true,
         {"Protokół sprawdzenia taksometru, wprowadzonego do obrotu lub użytkowania po dokonaniu", annexA}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (TPanel *tick : {w->Panel246, w->Panel247, w->Panel248, w->Panel249, w->Panel250, w->Panel405})
            tick->SetColor(clWhite);
        for (TPanel *tick : c.chosen) tick->SetColor(clBlack);
        w->Panel342->SetColor(c.changeProcedure ? clWhite : clInactiveCaptionText);
        pdf = dir.filePath(QString("%1.pdf").arg(&c - cases));
        boxes.clear();

        w->Drukuj();

        const int pages = static_cast<int>(c.heads.size());
        EXPECT_TRUE(std::regex_search(Info(), std::regex("Pages: +" + std::to_string(pages) + "\n")))
            << Info();
        EXPECT_EQ(PageHeads(pdf, pages), c.heads);
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(PrintedDocumentsTest, TableFormsOfAnnexAPrintTheirMarks) {
    w->MeterFamily = 0;
    w->Edit20->SetText("NOVITIUS 851 Ś");
    w->Edit21->SetText("ŻÓŁW-7");
    for (int i = 292; i <= 315; ++i)
        dynamic_cast<TPanel &>(*w->FindComponent(QString("Panel%1").arg(i))).SetCaption("+");
    w->Panel300->SetCaption("-");
    w->Panel314->SetCaption("ND");
    using Page = std::function<void(TCanvas &, int)>;
    const std::vector<Page> pages{[this](TCanvas &canvas, int m) { w->SetPrintAddingPage2(canvas, m); },
                                  [this](TCanvas &canvas, int m) { w->SetPrintAddingPage3(canvas, m); },
                                  [this](TCanvas &canvas, int m) { w->SetPrintAddingPage4(canvas, m); },
                                  [this](TCanvas &canvas, int m) { w->SetPrintAddingPage5(canvas, m); }};
    PrintPortraitJob(pages);
    EXPECT_TRUE(std::regex_search(Info(), std::regex("Pages: +4\\n"))) << Info();
    // The one-page form leaves the face "MS Sans Serif", in which the long form then draws.
    for (size_t i = 0; i < pages.size(); ++i)
        ExpectPageMatches(static_cast<int>(i) + 1, pages[i], i == 0 ? "Times New Roman" : "MS Sans Serif");
    const std::string text = RunCommand("pdftotext '" + pdf.toStdString() + "' -");
    for (const char *expected :
         {"Załącznik A", "NOVITIUS 851 Ś", "ŻÓŁW-7", "pkt 13", "UWAGI", "Odpowiadające wymaganie",
          "§ 6. Taksometr powinien realizować", "22.", "nie dotyczy (ND)"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

}  // namespace
