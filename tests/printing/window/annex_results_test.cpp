// The results page of annex B printed to PDF: its texts in place, and its QR code read back from
// the printed page by two outside readers, byte for byte as the QR text of the job.
#include "printing/annex_results.h"

#include <gtest/gtest.h>

#include <QImage>

#include "annex_page_fixture.h"
#include "barcode/component/qr_image_oracles.h"
#include "barcode/component/qrcode.h"
#include "platform/runtime/cp1250.h"

namespace {

class AnnexResultsTest : public PrintedPageTest {
protected:
    // A job of the own family, MID, calculation system S, slot 5 (tariff B2) tested.
    void FillJob() {
        TForm1 &w = *window;
        w.MeterFamily = 1;
        w.ApprovalRegime = 1;
        SetTexts({{w.Edit108, "S"},
                  {w.Edit12, "S"},
                  {w.Edit21, "00123456"},
                  {w.Edit35, "WN/17/2026"},
                  {w.Edit102, "2026-03-07"},
                  {w.Edit7, "WVWZZZ1KZAW000001"},
                  {w.Edit10, "Jan Nowak"},
                  {w.Edit15, "FT-0042"},
                  {w.Edit14, "USB-K"},
                  {w.Edit473, "W WARSZAWIE"},
                  {w.Edit482, "---"},
                  {w.Edit8, "B2,"}});
        w.Memo5->Lines().Add("Taxi Serwis Sp. z o.o.");
        w.Memo3->Lines().Add("Zakłady Pomiarowe");
        w.TariffPageCode = {'A', 'B', 0, 0};
        w.TariffParams[0][5] = "8,00";
        w.TariffParams[1][5] = "3,20";
        w.TariffGroupUnits[0][1] = "0,20";
        w.TestedTariffNames[5] = "B2";
        for (int r = 0; r < 10; ++r) {
            w.FareGridStore[0][0][5][r] = std::to_string(100 + r);
            w.FareGridStore[1][9][5][r] = "0,1" + std::to_string(r);
        }
        w.CounterStore[1][4][7][5] = "0,05";
    }

    void DrawResults(TCanvas &canvas, int m) { window->SetPrintImageWyniki(canvas, m, 2, 2, 5); }

    // The QR text the page carries for the job as it stands.
    std::string ExpectedCode() {
        printing::AnnexJob job;
        for (const char *name : {"Edit21", "Edit35", "Edit102", "Edit7", "Edit10", "Edit15"})
            job.texts[name] = dynamic_cast<TEdit *>(window->FindComponent(name))->Text();
        return window->WriteQR(printing::ResultsCodeData(job), 0, 1);
    }

    // The symbol's region of the printed page at 300 dpi with a margin of white.
    QImage SymbolRegion(const QString &pdf, size_t modules) {
        const printing::SymbolPlace place = printing::ResultsCodePlace(baseUnit);
        const double scale = 300.0 / TPrintDialog::kTestDotsPerInch;
        const int side = static_cast<int>(modules) * place.module;
        const int margin = 4 * place.module;
        return qrtest::RenderPdfRegion(pdf, 1, 300, static_cast<int>((place.left - margin) * scale),
                                       static_cast<int>((place.top - margin) * scale),
                                       static_cast<int>((side + 2 * margin) * scale),
                                       static_cast<int>((side + 2 * margin) * scale));
    }
};

TEST_F(AnnexResultsTest, TextsStandInTheirPlaces) {
    FillJob();
    const QString pdf = PrintPages(poLandscape, {[this](TCanvas &c, int m) { DrawResults(c, m); }});
    ASSERT_EQ(baseUnit, 233);
    const std::vector<PdfWord> words = PdfPageWords(pdf.toStdString(), 1);
    ExpectPlaces(words, {
                            {"Załącznik B - Wyznaczenie błędów wskazań taksometru", 10.9, 1.3},
                            {"STRONA: 2/2", 25.1, 1.5},
                            {"niezainstalowanego w pojeździe.", 12.9, 1.7},
                            {"ZGŁASZAJĄCY:", 9.3, 2.2},
                            {"KOD", 24.9, 2.2},
                            {"Taxi Serwis Sp. z o.o.", 13.3, 2.4},
                            {"OKRĘGOWY URZĄD MIAR W WARSZAWIE", 0.9, 3.2},
                            {"TARYFA B2", 9.4, 3.5},
                            {"Opł P [zł]", 13.1, 3.8},
                            {"8,00", 15.1, 3.8},
                            {"3,20", 19.1, 3.8},
                            {"0,20", 15.1, 3.4},
                            {"Zlecenie Nr:", 0.9, 4.3},
                            {"WN/17/2026", 2.6, 4.3},
                            {"PRODUCENT:", 0.9, 5.5},
                            {"Zakłady Pomiarowe", 3.0, 5.5},
                            {"TIVAR", 3.3, 6.2},
                            {"SPRAWDZANE TARYFY:", 20.1, 7.4},
                            {"B2", 24.2, 7.4},
                            {"Urządzenie USB:", 20.1, 7.8},
                            {"USB-K nr.FT-0042", 24.2, 7.8},
                            {"OBLICZANIE OPŁATY Z CZASU", 5.0, 9.3},
                            {"OBLICZANIE OPŁATY Z DROGI", 19.3, 9.3},
                            {"BŁĄD OPŁATY", 0.8 + 5.7, 9.8},
                            {"109", 0.8 + 0.6, 12.1 + 0.4 * 9},
                            {"0,19", 3.3 + 16 * 1.55, 12.1 + 0.4 * 9},
                            {"Z CZASU", 8.8, 16.6},
                            {"Realizacja w teście", 0.9, 20.1},
                            {"0,05", 3.6 + 12 * 1.6, 20.5},
                        });
    // Neighbouring column heads keep a blank between them (the reader would join them into one word).
    ExpectAbsent(words, "TAKSOMETRSTANOWISKO");
    EXPECT_EQ(FindText(words, "TAKSOMETR STANOWISKO").size(), 2u);
    // MID own family: no ZT constant, the maximum surcharge instead; no formulas in system S.
    ExpectAbsent(words, "STC");
    ExpectAt(words, "MxDpł.[zł]", 9.5, 4.2);
    ExpectAbsent(words, "Odcinek początkowy drogi:");
}

// The time test's heading carries the set speed: the factor the interface reported for the slot
// times the slot's Vgp, ten times that with the clock at x10; without a factor the plain heading.
TEST_F(AnnexResultsTest, TimeTestHeadingCarriesTheReportedSpeed) {
    FillJob();
    TForm1 &w = *window;
    w.TariffVgp[5] = 40.0F;
    struct Case {
        std::uint8_t factor;
        std::uint8_t czasX10;
        const char *heading;
    };
    for (const Case &c : {Case{50, 0, "OBLICZANIE OPŁATY Z CZASU ( Vj=20,00[km/h], zegar x1 )"},
                          Case{50, 1, "OBLICZANIE OPŁATY Z CZASU ( Vj=200,00[km/h], zegar x10 )"},
                          Case{0, 0, "OBLICZANIE OPŁATY Z CZASU"}}) {
        SCOPED_TRACE(c.heading);
        w.SlotDeviceByte[5] = c.factor;
        w.CzasX10 = c.czasX10;
        const QString pdf = PrintPages(poLandscape, {[this](TCanvas &cv, int m) { DrawResults(cv, m); }});
        const std::vector<PdfWord> words = PdfPageWords(pdf.toStdString(), 1);
        EXPECT_EQ(FindText(words, c.heading).size(), 1u);
    }
}

// The QR code decodes from the page rendered at 300 dpi to exactly the job's QR text, for a small
// job and for the largest one whose symbol still fits the header's box (above its bottom frame).
TEST_F(AnnexResultsTest, CodeReadsBackFromThePrintedPage) {
    struct Case {
        const char *name;
        int fieldLength;  // characters of each of the six identity values; 0 = the job as filled
    };
    const int base = 7016 / 30;  // A4 landscape at 600 dpi
    const printing::SymbolPlace place = printing::ResultsCodePlace(base);
    const auto setIdentity = [this](int length) {
        for (const char *name : {"Edit21", "Edit35", "Edit102", "Edit7", "Edit10", "Edit15"})
            dynamic_cast<TEdit *>(window->FindComponent(name))->SetText(QString(length, QChar(u'Ż')));
    };
    const auto symbolSide = [&] {
        TBarcode2D_QRCode probe(nullptr);
        probe.SetBarcode(ExpectedCode());
        int width = 0, height = 0;
        EXPECT_EQ(probe.DrawToSize(width, height, place.module, 0), 0);
        EXPECT_EQ(width, height);  // square modules make a square symbol
        return height;
    };
    // The longest identity values whose symbol stays inside the header's frame (bottom 5.2 units).
    int longest = 1;
    for (setIdentity(longest + 1); place.top + symbolSide() <= static_cast<int>(5.2 * base); setIdentity(longest + 1))
        ++longest;
    EXPECT_GE(longest, 10);
    for (const Case &c : {Case{"small", 0}, Case{"largest", longest}}) {
        SCOPED_TRACE(c.name);
        if (c.fieldLength > 0)
            setIdentity(c.fieldLength);
        else
            FillJob();
        const std::string expected = ExpectedCode();
        const int height = symbolSide();
        checkPaper = c.fieldLength == 0;  // identity values of the longest code run into each other
        const QString pdf = PrintPages(poLandscape, {[this](TCanvas &cv, int m) { DrawResults(cv, m); }},
                                       QString(c.name) + ".pdf");
        ASSERT_EQ(baseUnit, base);
        const QImage region = SymbolRegion(pdf, static_cast<size_t>(height / place.module));
        ASSERT_FALSE(region.isNull());
        EXPECT_EQ(qrtest::ZxingBytes(region), expected);
        EXPECT_EQ(qrtest::ZbarBytes(region, dir.path()), expected);
    }
}

}  // namespace
