// The certificate's tariff-layout annex in both forms, printed to PDF: the rows each procedure and
// option lists, and the own family's two QR codes read back from the page.
#include "printing/tariff_annex.h"

#include <gtest/gtest.h>

#include <QImage>

#include "annex_page_fixture.h"
#include "barcode/component/qr_image_oracles.h"
#include "barcode/component/qrcode.h"
#include "printing/page_units.h"

namespace {

class TariffAnnexTest : public PrintedPageTest {
protected:
    void SetUp() override {
        PrintedPageTest::SetUp();
        TForm1 &w = *window;
        w.ApprovalRegime = 1;
        SetTexts({{w.Edit102, "2026-03-07"},
                  {w.Edit35, "WN/17/2026"},
                  {w.Edit7, "VIN0001"},
                  {w.Edit12, "S"},
                  {w.Edit510, "2025-01-02"},
                  {w.Edit508, "WN/1/2025"}});
        w.TariffParams[0][0] = "8,00";
        w.TariffParams[0][4] = "9,00";
        for (int s = 0; s < 16; ++s) {
            w.TariffParams[1][s] = "3," + std::to_string(10 + s);
            w.TariffParams[2][s] = "60," + std::to_string(10 + s);
        }
        w.TariffGroupUnits[0][0] = "0,20";
        w.TariffGroupUnits[2][0] = "1,00";
        w.TariffJdoplaty[0] = "1,50";
        w.TariffEnabledFlags[0] = 1;
        w.TariffEnabledFlags[2] = 1;
        w.Panel323->SetColor(clWhite);
    }

    std::vector<PdfWord> Print(void (TForm1::*page)(TCanvas &, int)) {
        pdf = PrintPages(poPortrait, {[this, page](TCanvas &c, int m) { (window->*page)(c, m); }});
        u = printing::WidenedUnit(baseUnit);
        return PdfPageWords(pdf.toStdString(), 1);
    }

    // Positions on these pages are in units u = m + m div 35, m the base unit.
    void At(const std::vector<PdfWord> &words, const std::string &text, double x, double y) {
        ExpectAt(words, text, x * u / baseUnit, y * u / baseUnit);
    }

    QString pdf;
    int u = 0;
};

TEST_F(TariffAnnexTest, PlainFormListsActiveTariffsOnly) {
    const std::vector<PdfWord> words = Print(&TForm1::SetPrintUkladTaryf);
    ASSERT_EQ(u, 242);
    ExpectPlaces(
        words,
        {
            {"ZAŁĄCZNIK DO ŚWIADECTWA LEGALIZACJI PONOWNEJ TAKSOMETRU", 3.6, 1.0},
            {"z dnia 2026-03-07 , o znaku wniosku WN/17/2026", 5.3, 2.0},
            {"Taksometr zainstalowany w taksówce o numerze VIN VIN0001 posiada następujący układ taryf:", 1.8,
             3.0},
            {"Opłata początkowa", 2.05, 3.6},
            {"8,00 zł", 12.6, 3.6},
        },
        double(u) / baseUnit);
    // Tariffs 1 and 3 in the kilometre block from 4.2, then in the hour block from 5.0.
    ExpectPlaces(words,
                 {
                     {"Taryfa 1", 8.2, 4.2},
                     {"3,10 zł", 13.5, 4.2},
                     {"3,12 zł", 13.5, 4.6},
                     {"Opłata za 1 kilometr drogi", 2.05, 4.6 - 0.3},
                     {"60,12 zł", 13.5, 5.4},
                     {"Wartość jednostki taryfowej", 2.05, 5.9},
                     {"Tryb obliczania opłaty", 2.05, 6.5},
                     {"1,00 zł", 12.6, 7.1},
                 },
                 double(u) / baseUnit);
    ExpectAbsent(words, "Taryfa 2");
    ExpectAbsent(words, "UWAGA.");
    ExpectAbsent(words, "Wartość stałej C");
    const std::vector<Found> dateLine = FindText(words, "Data sporządzenia załącznika:");
    ASSERT_EQ(dateLine.size(), 1u);
    EXPECT_NEAR(dateLine[0].y, Points(8.0 * u), Points(0.25 * u));
}

TEST_F(TariffAnnexTest, ListingInactiveTariffsAndTheChangeProcedure) {
    TForm1 &w = *window;
    w.Panel323->SetColor(clBlack);
    w.Panel342->SetColor(clWhite);  // change procedure: the layout after the change
    w.ZuTariffParamsAfter[0][0] = "7,00";
    w.ZuTariffParamsAfter[1][1] = "4,44";
    w.ZuEnabledFlagsAfter[1] = 1;
    const std::vector<PdfWord> words = Print(&TForm1::SetPrintUkladTaryf);
    At(words, "z dnia 2025-01-02 , o znaku wniosku WN/1/2025", 5.3, 2.0);
    At(words, "7,00 zł", 12.6, 3.6);
    At(words, "Taryfa 8", 8.2, 4.2 + 7 * 0.4);  // all eight listed
    At(words, "4,44 zł", 13.5, 4.6);
    EXPECT_EQ(FindText(words, "Taryfa 1").size(), 2u);
    ExpectPlaces(words,
                 {
                     {"UWAGA.", 1.9, 4.2 + 6.4 + 1.8 + 0.1},
                     {"Znak wniosku dotyczącego zmiany układu taryf: WN/17/2026", 1.8, 12.5 + 0.8 + 0.4},
                     {"Data zmiany układu taryf: 2026-03-07", 1.8, 13.7 + 0.7},
                 },
                 double(u) / baseUnit);
    ExpectAt(words, "Data sporządzenia załącznika:", 1.8 * u / baseUnit, 15.1 * u / baseUnit);
}

TEST_F(TariffAnnexTest, OwnFamilyFormWithoutActiveLayouts) {
    TForm1 &w = *window;
    w.MeterFamily = 1;
    w.TariffEnabledFlags.fill(0);
    const std::vector<PdfWord> words = Print(&TForm1::SetPrintUkladTaryfMID);
    ExpectAbsent(words, "Tryb obliczania opłaty");
    ExpectAbsent(words, "Opłata początkowa");
    // Five empty blocks: lines at 3.5 (twice), 3.5, 3.5, 3.5, then 4.0 after the single row.
    At(words, "Brak aktywnych układów!", 2.05, 4.0 - 0.5);
}

// The codes decode from the printed page at 300 dpi to exactly the texts WriteQR gives (a plain and
// an enciphered one), lie side by side without touching, and stay on the page.
TEST_F(TariffAnnexTest, OwnFamilyCodesReadBackAndDoNotOverlap) {
    TForm1 &w = *window;
    w.MeterFamily = 1;
    w.Panel283->SetColor(clBlack);
    w.Panel323->SetColor(clBlack);  // all sixteen slots listed: the longest table
    w.TariffPageCode = {'A', 'B', 'C', 'D'};
    SetTexts({{w.Edit21, "00123456"},
              {w.Edit107, "1000"},
              {w.Edit111, "195"},
              {w.Edit457, "65"},
              {w.Edit458, "15"}});
    const std::vector<PdfWord> words = Print(&TForm1::SetPrintUkladTaryfMID);
    At(words, "Taryfa D4", 8.2, 3.5 + 1.6 + 15 * 0.4);

    printing::TariffAnnexJob job;
    for (TEdit *edit : {w.Edit7, w.Edit10, w.Edit12, w.Edit15, w.Edit20, w.Edit21, w.Edit22, w.Edit23, w.Edit35, w.Edit38,
                        w.Edit102, w.Edit107, w.Edit110, w.Edit111, w.Edit457, w.Edit458})
        job.texts[edit->Name()] = edit->Text();
    std::copy_n(w.TariffParams.begin(), 8, job.params.begin());
    job.groupUnits = w.TariffGroupUnits;
    job.enabled = w.TariffEnabledFlags;
    const std::string plain = w.WriteQR(printing::TariffCodeData(job), 0, 0);
    const std::string identity = w.WriteQR(printing::IdentityCodeData(job), 0, 1);
    EXPECT_NE(plain.find("\nSZYFR:NONE\nSTART:\n\nOplata poczatkowa:8,00\n"), std::string::npos);
    EXPECT_NE(plain.find("T1:3,10\nT2:---\nT3:3,12\n"), std::string::npos);

    const int module = u / 20;
    struct Symbol {
        std::string text;
        int left = 0, top = 0, side = 0;
    };
    std::vector<Symbol> symbols;
    int left = printing::ToPixels(2.1, u);
    for (const std::string &text : {plain, identity}) {
        TBarcode2D_QRCode probe(nullptr);
        probe.SetBarcode(text);
        int width = 0, height = 0;
        ASSERT_EQ(probe.DrawToSize(width, height, module, 0), 0);
        symbols.push_back({text, left, 0, height});
        left += width + 10 * module;
    }
    // The codes start below the closing line.
    const std::vector<Found> dateLine = FindText(words, "Data sporządzenia załącznika:");
    ASSERT_EQ(dateLine.size(), 1u);
    const int top = std::max(printing::ToPixels(23.0, u), static_cast<int>((dateLine[0].y / 72.0 * 600) + 0.5 * u));
    for (Symbol &s : symbols) {
        s.top = top;
        EXPECT_LE(s.top + s.side, 7016);  // on the page
        const double scale = 300.0 / 600;
        const int margin = 4 * module;
        const QImage region = qrtest::RenderPdfRegion(pdf, 1, 300, static_cast<int>((s.left - margin) * scale),
                                                      static_cast<int>((s.top - margin) * scale),
                                                      static_cast<int>((s.side + 2 * margin) * scale),
                                                      static_cast<int>((s.side + 2 * margin) * scale));
        ASSERT_FALSE(region.isNull());
        EXPECT_EQ(qrtest::ZxingBytes(region), s.text);
        EXPECT_EQ(qrtest::ZbarBytes(region, dir.path()), s.text);
    }
    EXPECT_LT(symbols[0].left + symbols[0].side, symbols[1].left);
}

// Change procedure with inactive tariffs listed (the longest table): the tariff code and the
// scanned identity code beside it stay wholly on the page and both read back from the page
// rendered at 300 dpi, for a scanned text of ordinary length and for the longest a code holds.
TEST_F(TariffAnnexTest, ChangeProcedureCodesStayOnThePageAndRead) {
    TForm1 &w = *window;
    w.MeterFamily = 1;
    w.Panel283->SetColor(clBlack);
    w.Panel342->SetColor(clWhite);
    w.Panel323->SetColor(clBlack);
    w.Label262->SetVisible(false);
    w.LayoutPageCodes = {'A', 'C', 'E', 'H', 'B', 'D', 'F', 'G'};
    const std::string ordinary =
        "\nLEG:0\nSZYFR:NONE\nSTART:\nZlec.:WN/1/2025\nNr fabr.:00123456\nVIN:WVWZZZ1KZAW000001\n"
        "Nr rej.:WA 12345\nMarka:Skoda Octavia\nStala k:1000\nOpony:195/65R15\nEND";
    // The longest scanned text that still makes a code.
    const auto encodes = [](size_t length) {
        TBarcode2D_QRCode probe(nullptr);
        probe.SetBarcode(std::string(length, 'X'));
        int width = 0, height = 0;
        return probe.DrawToSize(width, height, 1, 0) == 0;
    };
    size_t fits = 1, fails = 8192;
    ASSERT_TRUE(encodes(fits));
    ASSERT_FALSE(encodes(fails));
    while (fails - fits > 1) (encodes((fits + fails) / 2) ? fits : fails) = (fits + fails) / 2;
    EXPECT_GE(fits, 1000u);
    for (const std::string &scanned : {ordinary, std::string(fits, 'X')}) {
        SCOPED_TRACE(scanned.size());
        w.ScannedQrText = scanned;
        Print(&TForm1::SetPrintUkladTaryfMID);
        const QImage page = qrtest::RenderPdfRegion(pdf, 1, 300, 0, 0, 2480, 3508);
        ASSERT_FALSE(page.isNull());
        const std::vector<std::string> read = qrtest::ZxingAllBytes(page);
        ASSERT_EQ(read.size(), 2u);
        const bool scannedFirst = read[0] == scanned;
        EXPECT_EQ(read[scannedFirst ? 0 : 1], scanned);
        EXPECT_NE(read[scannedFirst ? 1 : 0].find("\nOplata poczatkowa:"), std::string::npos);
    }
}

TEST_F(TariffAnnexTest, ChangeProcedureReprintsTheScannedCodeOnlyWhenThereIsOne) {
    TForm1 &w = *window;
    w.MeterFamily = 1;
    w.Panel283->SetColor(clBlack);
    w.Panel342->SetColor(clWhite);
    w.ScannedQrText = "\nLEG:0\nSZYFR:NONE\nSTART:\nZlec.:WN/1/2025\nEND";
    struct Case {
        bool scanned;
        size_t symbols;
    };
    for (const Case &c : {Case{false, 1}, Case{true, 2}}) {
        w.Label262->SetVisible(!c.scanned);
        Print(&TForm1::SetPrintUkladTaryfMID);
        const int module = u / 20;
        // Look for symbols by their finder pattern: the right-hand region is blank without a second code.
        TBarcode2D_QRCode probe(nullptr);
        probe.SetBarcode(w.WriteQR(printing::TariffCodeData({}), 0, 0));
        int width = 0, height = 0;
        probe.DrawToSize(width, height, module, 0);
        const int secondLeft = printing::ToPixels(2.1, u) + width + 10 * module;
        const int top = printing::ToPixels(23.0, u);
        const QImage second = qrtest::RenderPdfRegion(pdf, 1, 300, (secondLeft - 4 * module) / 2, (top - 4 * module) / 2,
                                                      600, 600);
        ASSERT_FALSE(second.isNull());
        if (c.scanned)
            EXPECT_EQ(qrtest::ZxingBytes(second), w.ScannedQrText);
        else
            EXPECT_EQ(qrtest::ZxingBytes(second), std::nullopt);
    }
}

}  // namespace
