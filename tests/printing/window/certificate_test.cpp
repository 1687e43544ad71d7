// The certificate printed to PDF: its blocks in place, the dates it derives from the saved job
// and the working mode, the family and regime variants, the seals and the duplicate.
#include "printing/certificate.h"

#include <gtest/gtest.h>

#include "annex_page_fixture.h"
#include "printing/window/annex_b_pages.h"

namespace {

class CertificateTest : public PrintedPageTest {
protected:
    std::vector<PdfWord> Print() {
        pdf = PrintPages(poPortrait, {[this](TCanvas &c, int m) { window->SetPrintAddingPage6(c, m, 2, 2, 0); }});
        return PdfPageWords(pdf.toStdString(), 1);
    }
    // The pictures on the page, as pdfimages lists them.
    int Pictures() const {
        const std::string list = RunCommand("pdfimages -list '" + pdf.toStdString() + "' 2>&1");
        int lines = 0;
        for (char c : list) lines += c == '\n';
        return lines - 2;  // two heading lines
    }
    QString pdf;
};

// A saved own-family MID job printed with both working modes off.
TEST_F(CertificateTest, SavedOwnFamilyJob) {
    TForm1 &w = *window;
    w.MeterFamily = 1;
    w.ApprovalRegime = 1;
    w.RecordSaveDate = {2024, 1, 31};
    TForm1::SetLit(w.Panel162, false);
    TForm1::SetLit(w.Panel163, false);
    w.Panel383->SetColor(clWhite);
    SetTexts({{w.Edit473, "W WARSZAWIE"},
              {w.Edit21, "00123456"},
              {w.Edit22, "2019-05-01"},
              {w.Edit486, "205/55R16O"},
              {w.Edit107, "1000"},
              {w.Edit24, "1.04"},
              {w.Edit35, "WN/17/2026"}});
    w.Memo22->Lines().Clear();
    w.Memo22->Lines().Add("Ustawa z dnia 11 maja 2001 r. Prawo o miarach");
    w.Memo22->Lines().Add("");
    w.Memo22->Lines().Add("Rozporządzenie w sprawie wymagań");
    w.Panel232->SetColor(clWhite);
    w.Panel233->SetColor(clBlack);
    w.Panel234->SetColor(clBlack);
    w.Memo10->Lines().Clear();
    w.Memo5->Lines().Clear();
    w.Memo5->Lines().Add("Jan Kowalski");
    w.TariffEnabledFlags[0] = w.TariffEnabledFlags[9] = 1;
    for (int i = 0; i < 6; ++i) {
        w.MarkNameEdits[i]->SetText("miejsce " + QString::number(i + 1));
        w.MarkCountEdits[i]->SetText("---");
    }
    w.MarkCountEdits[0]->SetText("2");
    w.MarkCountEdits[2]->SetText("x");  // not a number: listed, not counted
    w.MarkCountEdits[3]->SetText("3");

    const std::vector<PdfWord> words = Print();
    ASSERT_EQ(baseUnit, 236);
    ExpectPlaces(
        words,
        {
            {"PRZYRZĄD POMIAROWY", 1.4, 6.3},
            {"Taksometr", 1.4, 6.9},
            {"Oznaczenie typu: TIVAR", 1.4, 7.3},
            {"Numer fabryczny: 00123456", 1.4, 7.7},
            {"Rok produkcji: 2019", 10.0, 7.7},
            {"Urządzenia dodatkowe: ---", 1.4, 8.6},
            {"OKRES WAŻNOŚCI LEGALIZACJI", 1.4, 10.5},
            {"Legalizacja jest ważna do dnia: 28 lutego 2026", 1.4, 10.9},
            {"Rozmiar opon kół napędowych (napęd 4x4): 205/55R16, wartość stałej k: 1000[imp/km]", 1.4, 12.7},
            {"Liczba taryf: 2", 1.4, 13.7},
            {"wersja programu: 1.04,", 4.9, 13.7},
            {"Zakres wartości stałej taksometru k: (1000 - 64000)[imp/km]", 1.4, 14.1},
            {"Jan Kowalski - Instalator przyrządu pomiarowego", 1.4, 15.1},
            {"WYMAGANIA", 1.4, 16.1},
        });
    ExpectAt(words, "Rozporządzenie w sprawie wymagań", 1.4, 16.9);  // the empty line takes no room
    ExpectPlaces(words, {
                            {"Cechy zabezpieczające w liczbie 5 umieszczono na:", 1.4, 18.5},
                            {"1) miejsce 1, szt. 2", 1.9, 18.9},
                            {"3) miejsce 3, szt. x", 1.9, 19.3},
                            {"4) miejsce 4, szt. 3", 1.9, 19.7},
                            {"LICZBA STRON ŚWIADECTWA", 1.4, 20.2},
                            {"Data wystawienia: 31 stycznia 2024 r.", 1.4, 22.0},
                            {"ZAŁĄCZNIK", 1.4, 27.0},
                            {"Załącznik do świadectwa legalizacji ponownej taksometru.", 1.4, 27.4},
                        });
    ExpectPresent(words, "DYREKTOR");
    ExpectPresent(words, "OKRĘGOWEGO URZĘDU MIAR W WARSZAWIE");
    ExpectPresent(words, "ŚWIADECTWO LEGALIZACJI PONOWNEJ");
    ExpectPresent(words, "Niniejsze świadectwo może być okazywane lub kopiowane tylko w całości");
    ExpectAbsent(words, "2) miejsce 2, szt. ---");
    ExpectAbsent(words, "Data wystawienia duplikatu:");
    EXPECT_EQ(Pictures(), 0);  // no emblem is held by the window, no watermark without a duplicate
    // A duplicate of the saved job carries the watermark.
    w.Panel383->SetColor(clBlack);
    ExpectPresent(Print(), "Data wystawienia duplikatu: " + printing::DateInWords(printing::Today()).toStdString() + " r.");
    EXPECT_EQ(Pictures(), 1);
}

// NOVITIUS, ZT, printed in verification mode as a duplicate: the validity runs from today, the
// issue date stays the saved one, and the duplicate names today.
TEST_F(CertificateTest, DuplicateInVerificationMode) {
    TForm1 &w = *window;
    w.MeterFamily = 0;
    w.ApprovalRegime = 0;
    w.RecordSaveDate = {2024, 1, 31};
    TForm1::SetLit(w.Panel162, true);
    w.Panel383->SetColor(clBlack);
    SetTexts({{w.Edit20, "N-TAX 3"}, {w.Edit111, "195"}, {w.Edit457, "65"}, {w.Edit458, "15"}});
    for (int i = 0; i < 6; ++i) w.MarkCountEdits[i]->SetText("---");
    const printing::CalendarDate today = printing::Today();
    const std::vector<PdfWord> words = Print();
    ExpectPresent(words, "Oznaczenie typu: N-TAX 3");
    ExpectPresent(words, "Legalizacja jest ważna do dnia: " +
                             printing::DateInWords(printing::CertificateValidityEnd(today)).toStdString());
    ExpectPresent(words, "Rozmiar opon kół napędowych: 195/65R15, wartość stałej k:");
    ExpectPresent(words, "Zakres wartości stałej taksometru k: (1000 - 16000)[imp/km]");
    ExpectPresent(words, "BRAK");
    ExpectPresent(words, "Data wystawienia: 31 stycznia 2024 r.");
    ExpectPresent(words, "Data wystawienia duplikatu: " + printing::DateInWords(today).toStdString() + " r.");
    ExpectPresent(words, "Załącznik do świadectwa legalizacji ponownej taksometru elektronicznego.");
    ExpectAbsent(words, "wersja programu:");
    EXPECT_EQ(Pictures(), 0) << "no watermark while a working mode is on";
}

// The italic k and the constant stand after the tyre line's "stałej" for every drive and a
// constant of four digits (the page itself is checked for overprinted words as it is printed).
TEST_F(CertificateTest, ConstantStandsAfterTheTyreLine) {
    TForm1 &w = *window;
    w.MeterFamily = 1;
    w.Edit107->SetText("2500");
    for (const char *tyre : {"205/55R16O", "195/65R15P", "195/65R15T", "195/65R15", ""}) {
        SCOPED_TRACE(tyre);
        w.Edit486->SetText(tyre);
        const std::vector<PdfWord> words = Print();
        const auto value = std::find_if(words.begin(), words.end(),
                                        [](const PdfWord &word) { return word.text == "2500[imp/km]"; });
        ASSERT_NE(value, words.end());
        ASSERT_GE(value - words.begin(), 2);
        EXPECT_EQ(value[-1].text, "k:");
        EXPECT_EQ(value[-2].text, "stałej");
        EXPECT_GT(value[-1].xMin, value[-2].xMax);
        EXPECT_GT(value->xMin, value[-1].xMax);
    }
}

TEST(CertificateDevicesTest, FilledLinesJoinedAndBrokenAfterBlanks) {
    EXPECT_TRUE(printing::DeviceLines({"---", "", "---", "", "", "---"}).isEmpty());
    EXPECT_EQ(printing::DeviceLines({"kasa", "", "---", "drukarka", "", ""}), QStringList{"kasa, drukarka  "});
    // 150 characters of words: lines of at most 100 characters, each ending with its blank.
    std::array<QString, 6> long_{};
    long_[0] = QString("słowo ").repeated(25);
    const QStringList lines = printing::DeviceLines(long_);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.join(""), long_[0] + "  ");
    for (const QString &line : lines) {
        EXPECT_LE(line.size(), 100);
        EXPECT_TRUE(line.endsWith(' '));
    }
    // No blank within 100 characters: cut at 100.
    long_[0] = QString(130, QChar('x'));
    EXPECT_EQ(printing::DeviceLines(long_), (QStringList{QString(100, QChar('x')), QString(30, QChar('x')) + "  "}));
}

}  // namespace
