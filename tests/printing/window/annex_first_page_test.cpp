// The first page of annex B for both families, printed to PDF: header, verdict, settings and the
// tariff table in place; the check of the vehicle constant counts in the verdict printed.
#include <gtest/gtest.h>

#include "annex_page_fixture.h"

namespace {

class AnnexFirstPageTest : public PrintedPageTest {
protected:
    void SetUp() override {
        PrintedPageTest::SetUp();
        TForm1 &w = *window;
        SetTexts({{w.Edit35, "WN/17/2026"},
                  {w.Edit10, "Jan Nowak"},
                  {w.Edit9, "Kierownik"},
                  {w.Edit473, "W WARSZAWIE"},
                  {w.Edit482, "w Radomiu"},
                  {w.Edit21, "00123456"},
                  {w.Edit8, "A1,"},
                  {w.Edit107, "1011"},
                  {w.Edit108, "S"}});
        w.Memo1->Lines().Clear();
        w.Memo1->Lines().Add("uwaga pierwsza");
        w.TestedTariffNames[0] = "A1";
        for (int s = 0; s < 16; ++s) w.TariffParams[1][s] = "3," + std::to_string(10 + s);
        w.TariffEnabledFlags[0] = 1;
        w.TariffEnabledFlags[5] = 1;
    }

    std::vector<PdfWord> Print(void (TForm1::*first)(TCanvas &, int, int, int)) {
        const QString pdf = PrintPages(poLandscape, {[this, first](TCanvas &c, int m) { (window->*first)(c, m, 3, 1); }});
        return PdfPageWords(pdf.toStdString(), 1);
    }
};

// Own family, MID, results measured in the vehicle: w = 1000 against k = 1011 is -1.09 %, out of
// tolerance; the verdict printed on the same page is already negative.
TEST_F(AnnexFirstPageTest, OwnFamilyInTheVehicle) {
    TForm1 &w = *window;
    w.MeterFamily = 1;
    w.ApprovalRegime = 1;
    w.VehicleResults = 1;
    w.LicznikiKeep = {3, 1950, 1000};
    w.TariffPageCode = {'A', 'B', 0, 0};
    w.TariffGroupTexts = {{{"2020.01.01", "2099.12.31"}, {"2020.01.01", "2021.01.01"}, {"---", "---"}, {"---", "---"}}};
    w.OglErrFlag = 0;
    w.Edit25->SetText("OSTATNIA AKTYWNA");  // the longest cash-register tariff, before the next cell's label
    const std::vector<PdfWord> words = Print(&TForm1::SetPrintImageTivar);
    EXPECT_EQ(w.OglErrFlag, 1);
    // The first remark stands behind its label, which the own family's place for it would cut.
    const std::vector<Found> label = FindText(words, "UWAGI:"), remark = FindText(words, "uwaga pierwsza");
    ASSERT_EQ(label.size(), 1u);
    ASSERT_EQ(remark.size(), 1u);
    EXPECT_NEAR(remark[0].y, label[0].y, 0.5);
    EXPECT_GT(remark[0].x, label[0].x + 10);
    // Neighbouring cells keep a blank between them (the reader would join them into one word).
    EXPECT_EQ(FindText(words, "OSTATNIA AKTYWNA").size(), 1u);
    EXPECT_EQ(FindText(words, "SPRAWDZANE TARYFY:").size(), 1u);
    // The table at 0.9 of the page size: rows from 11.0, +0.1 after rows 2 and 4 and 14.
    const double row7 = 11.0 + 0.4 + 0.4 + 0.5 + 0.4 + 0.5 + 0.4 + 0.4;
    const double row19 = row7 + 8 * 0.4 + 0.1;
    ExpectPlaces(words, {
                            {"Załącznik B - Wyznaczenie błędów wskazań taksometru", 10.9, 1.3},
                            {"STRONA: 1/3", 25.1, 1.5},
                            {"zainstalowanego w pojeździe.", 12.9, 1.7},
                            {"Jan Nowak", 9.3, 3.9},
                            {"Kierownik", 14.6, 3.9},
                            {"WYNIK SPRAWDZENIA TAKSOMETRU:", 18.5, 3.7},
                            {"NEGATYWNY", 24.3, 3.7},
                            {"OKRĘGOWY URZĄD MIAR W WARSZAWIE", 0.9, 4.1},
                            {"WYDZIAŁ ZAMIEJSCOWY w Radomiu", 0.9, 4.5},
                            {"WN/17/2026", 2.6, 5.8},
                            {"Nr boczny:", 7.9, 7.5},
                            {"Obwód toczny koła [m]:", 7.9, 7.5 + 1.2},
                            {"1,950", 11.9, 7.5 + 1.2},
                            {"Nr certyfikatu badania typu:", 0.9, 7.5 + 1.6},
                            {"Marka poj.:", 8.0, 7.5 + 2.0},
                            {"PARAMETRY TARYF", 12.3, 10.6},
                            {"A1", 6.3 + 0.2, 11.1},
                            {"B2", 6.3 + 5 * 1.45 + 0.2, 11.1},
                            {"TAK", 6.3 + 0.15, 11.5},
                            {"od 2020.01.01 do 2099.12.31", 6.3 + 0.7, 11.9},
                            {"Max. Dopłaty", 0.9, 12.4},
                            {"3,10", 6.3, row7 + 0.1},
                            {"3,25", 6.3 + 15 * 1.45, row7 + 0.1},
                            {"Baza drogowa", 0.9, row19 + 0.1},
                            {"5,850", 16.3, row19 + 0.1},
                            {"1000", 16.3, row19 + 0.5},
                            {"-1,09", 16.3, row19 + 0.9},
                            {"DOKŁADNOŚĆ GENERATORA WEWNĘTRZNEGO IMPULSÓW CZASU:", 0.8, row19 + 1.2 + 0.4},
                        });
    // The second group's period has ended: "NIE" in its validity cell and for its enabled slot 5.
    ExpectAt(words, "NIE", 6.3 + 5.8 + 2.7, 11.9);
    ExpectAbsent(words, "POZYTYWNY");
    ExpectAbsent(words, "Odcinek w poz. WOLNY Opw");
    ExpectAbsent(words, "Odcinek drogi początk.");
}

// NOVITIUS, ZT, bench results, calculation mode D: eight columns, the constant row and the Opw
// row; w comes from St of slot 0 for later pages, and the verdict stays positive.
TEST_F(AnnexFirstPageTest, NovitiusOnTheBench) {
    TForm1 &w = *window;
    w.MeterFamily = 0;
    w.ApprovalRegime = 0;
    w.VehicleResults = 0;
    SetTexts({{w.Edit108, "D"},
              {w.Edit20, "N-TAX 3"},
              {w.Edit111, "195"},
              {w.Edit457, "65"},
              {w.Edit458, "15"},
              {w.Edit482, "---"}});
    w.TariffGroupUnits[1][0] = "0,50";
    w.TariffParams[0][1] = "9,00";
    const std::vector<PdfWord> words = Print(&TForm1::SetPrintImageNovitius);
    EXPECT_EQ(w.OglErrFlag, 0);
    const double row7 = 11.0 + 0.4 + 0.4 + 0.3 + 0.4 + 0.4 + 0.4 + 0.5;
    ExpectPlaces(words,
                 {
                     {"Załącznik B - Wyznaczenie błędów wskazań taksometru elektronicznego", 10.9, 1.3},
                     {"niezainstalowanego w pojeździe.", 12.9, 1.7},
                     {"uwaga pierwsza", 19.6, 2.2},
                     {"POZYTYWNY", 24.3, 3.7},
                     {"OKRĘGOWY URZĄD MIAR W WARSZAWIE", 0.9, 4.5},
                     {"N-TAX 3", 3.3, 7.5},
                     {"195/65R15", 10.1, 7.5 + 0.8},
                     {"Nr certyfikatu zatwierdzenia typu:", 0.9, 7.5 + 1.6},
                     {"8", 7.6 + 7 * 2.8, 11.1},
                     {"Stała taryf C", 0.9, 12.2},
                     {"0,50", 12.36, 12.2},
                     {"9,00", 12.36 + 11.2, 11.0 + 0.4 + 0.4 + 0.3 + 0.4 + 0.4 + 0.4 + 0.1},
                     {"3,17", 7.6 + 7 * 2.8, row7 + 0.1},
                     {"Odcinek drogi początk.", 0.9, row7 + 8 * 0.4 + 0.1},
                     {"Odcinek w poz. WOLNY Opw", 0.9, row7 + 14 * 0.4 + 0.1},
                 });
    ExpectAbsent(words, "WYDZIAŁ ZAMIEJSCOWY ---");
    ExpectAbsent(words, "Nr boczny:");
    ExpectAbsent(words, "Układ taryf aktywny");
    ExpectAbsent(words, "DOKŁADNOŚĆ GENERATORA WEWNĘTRZNEGO IMPULSÓW CZASU:");
    ExpectAbsent(words, "Dokładność ustawienia „k”");
}

}  // namespace
