// The annex of the tariff-layout change printed to PDF: every block at its place, the layouts of
// both sides, inactive layouts and disabled tariffs inverted, and the NOVITIUS form.
#include <gtest/gtest.h>

#include "tests/printing/window/annex_page_fixture.h"

namespace {

class ChangeAnnexTest : public PrintedPageTest {
protected:
    void SetUp() override {
        PrintedPageTest::SetUp();
        TForm1 &w = *window;
        w.ZmianaUkladow(1);
        SetTexts({{w.Edit35, "WN/5/2026"},
                  {w.Edit102, "2026-03-02"},
                  {w.Edit10, "Jan Nowak"},
                  {w.Edit9, "Kierownik"},
                  {w.Edit473, "W GDAŃSKU"},
                  {w.Edit482, "---"},
                  {w.Edit21, "SN-77"},
                  {w.Edit28, ""},
                  {w.Edit486, "195/65R15T"}});
        w.Memo1->Lines().Clear();
        w.Memo1->Lines().Add("uwaga przed drukiem");
        SetTexts({{w.Edit498, "4"},
                  {w.Edit503, "2025-02-03 04:05:06"},
                  {w.Edit504, "---"},
                  {w.Edit518, "123,4"},
                  {w.Edit521, "77"}});
        w.ZuTariffParamsBefore[0][0] = "8,00";
        w.ZuTariffParamsAfter[0][0] = "9,50";
        w.ZuTariffParamsAfter[4][15] = "55,5";
        w.ZuMaxSurchargeAfter[3] = "12,34";
        w.ZuGroupUnitsBefore[0][1] = "1,10";
        w.ZuJdoplatyAfter[2] = "2,50";
        w.ZuEnabledFlagsAfter[0] = 1;
        w.ZuInitialSegmentAfter[2] = 1;
        w.LayoutPageCodes = {'A', 'C', 'E', 'H', 'B', 'D', 'F', 'G'};
        // Before the change layout A ended long ago; after it layout B runs into the far future.
        w.ZuValidityDatesBefore = {"2000.01.01", "---", "---", "---", "2000.12.31", "---", "---", "---"};
        w.ZuValidityDatesAfter = {"2020.01.01", "---", "---", "---", "2999.12.31", "---", "---", "---"};
    }
    QString PrintAnnex() {
        return PrintPages(poLandscape, {[this](TCanvas &c, int base) { window->SetPrintImageTivarZU(c, base, 1, 1); }});
    }
    std::vector<PdfWord> Print() { return PdfPageWords(PrintAnnex().toStdString(), 1); }
};

TEST_F(ChangeAnnexTest, OwnFamilyPageWithBothLayoutsAndTheChangeRegister) {
    TForm1 &w = *window;
    w.MeterFamily = 1;
    w.Edit12->SetText("D");         // the mode's value stands behind its long label
    w.Panel359->SetCaption("NIE");  // item 10 fails
    const std::vector<PdfWord> words = Print();
    const double c = 28.4 / 14 + 0.1;
    ExpectPlaces(words, {
                            {"pieczęć urzędu", 0.9, 1.2},
                            {"Załącznik A - Sprawdzenie zmiany opłat lub układu taryf taksometru", 10.6, 1.2},
                            {"STRONA: 1/1", 26.6, 1.4},
                            {"uwaga przed drukiem", 19.9, 2.3},
                            {"NEGATYWNY", 20.0, 3.6},
                            {"OKRĘGOWY URZĄD MIAR W GDAŃSKU", 0.9, 4.1},
                            {"Jan Nowak", 10.6, 4.1},
                            {"Zlecenie Nr: WN/5/2026 z dnia 2026-03-02", 0.9, 5.1},
                            {"Oznaczenie typu: TIVAR", 0.9, 6.4},
                            {"Nr.Taksometru: SN-77", 0.9, 6.7},
                            {"Rozmiar opon: 195/65R15-napęd na tył", 8.6, 7.0},
                            {"Stała", 15.0, 7.6},
                            {"---", 0.9, 8.1},
                            {"PARAMETRY TARYF PRZED ZMIANĄ", 12.8, 8.8},
                            {"A - aktywny od 2000.01.01 do 2000.12.31", 5.7, 9.2},
                            {"A1", 5.8, 9.5},
                            {"H4", 5.8 + 1.5 * 15, 9.5},
                            {"1,10", 8.0 + 6, 10.4},
                            {"8,00", 5.6, 11.0},
                            {"PARAMETRY TARYF PO ZMIANIE", 13.0, 13.1},
                            {"B - aktywny od 2020.01.01 do 2999.12.31", 5.7, 13.5},
                            {"TAK", 5.75, 14.1},
                            {"TAK", 8.0 + 12, 14.4},
                            {"12,34", 8.0 + 18, 15.0},
                            {"9,50", 5.6, 15.3},
                            {"2,50", 5.6 + 3, 15.6},
                            {"55,5", 5.6 + 22.5, 16.8},
                            {"LICZNIK ZMIAN", 7.0, 17.5},
                            {"Liczba zmian", 1.0, 18.8},
                            {"4", 0.8 + c + 0.8, 18.8},
                            {"2025-02-03", 0.8 + c + 0.3, 19.1},
                            {"04:05:06", 0.8 + c + 0.4, 19.4},
                            {"123,4", 0.8 + 6 * c + 0.7, 19.1},
                            {"77", 0.8 + 10 * c + 5.8, 19.1},
                            {"UWAGA.", 0.9, 19.8},
                        });
    // The remarks were printed as they stood; the verdict then rewrote them.
    EXPECT_EQ(w.Memo1->Text().trimmed(), "OGLĘDZINY ZEWNĘTRZNE: poz. 10");
    ExpectAbsent(words, "WYDZIAŁ ZAMIEJSCOWY ---");
    ExpectAbsent(words, "POZYTYWNY");
}

// Inverted cells: the layout whose period ended and every disabled tariff are white on black,
// so a picture of the page is dark under them and light under an enabled one.
TEST_F(ChangeAnnexTest, InactiveLayoutsAndDisabledTariffsAreWhiteOnBlack) {
    window->MeterFamily = 1;
    const QString pdf = PrintAnnex();
    const std::string png = dir.filePath("annex").toStdString();
    RunCommand("pdftoppm -r 50 -png -singlefile '" + pdf.toStdString() + "' '" + png + "'");
    const QImage page(QString::fromStdString(png + ".png"));
    ASSERT_FALSE(page.isNull());
    const double unit = page.width() / 30.0;
    const auto dark = [&](double x, double y) { return qGray(page.pixel(int(x * unit), int(y * unit))) < 128; };
    EXPECT_TRUE(dark(5.65, 9.25)) << "layout A before the change has ended";
    EXPECT_FALSE(dark(5.65, 13.55)) << "layout B after the change runs";
    EXPECT_TRUE(dark(5.65, 9.85)) << "tariff A1 before the change is disabled";
    EXPECT_FALSE(dark(5.65, 14.15)) << "tariff B1 after the change is enabled";
}

TEST_F(ChangeAnnexTest, NovitiusPageHasEightTariffsAndOnlyTheRegisters) {
    TForm1 &w = *window;
    w.MeterFamily = 0;
    SetTexts({{w.Edit20, "Taxi e"}, {w.Edit111, "205"}, {w.Edit457, "55"}, {w.Edit458, "16"}});
    w.ZuGroupUnitsAfter[0][0] = "0,80";
    w.ZuTariffParamsAfter[1][7] = "3,30";
    const std::vector<PdfWord> words = Print();
    const double c = 28.4 / 14 + 0.1;
    ExpectPlaces(words, {
                            {"POZYTYWNY", 20.0, 3.6},
                            {"Oznaczenie typu: Taxi e", 0.9, 6.4},
                            {"Nr. boczny: ---", 8.6, 6.7},
                            {"Rozmiar opon: 205/55R16", 8.6, 7.0},
                            {"8", 6.6 + 21, 9.2},
                            {"PARAMETRY TARYF PO ZMIANIE", 13.0, 12.2},
                            {"0,80", 17.0, 12.2 + 0.4 + 0.6},
                            {"3,30", 5.6 + 21, 12.2 + 0.4 + 1.5},
                            {"REJESTRY", 20.6 - 7.0, 15.7},
                            {"km niepłatne", 0.8 + 6 * c + 0.3 - 7.0, 16.4},
                            {"123,4", 0.8 + 6 * c + 0.7 - 7.0, 17.3},
                            {"UWAGA.", 0.9, 18.0},
                        });
    for (const char *absent : {"Układ TARYF", "Maximum dopłaty", "LICZNIK ZMIAN", "Liczba zmian", "Czas zmiany"})
        ExpectAbsent(words, absent);
}

}  // namespace
