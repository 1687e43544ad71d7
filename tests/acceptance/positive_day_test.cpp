// A verification that passes, as the officer lives it: an own-family meter in the MID regime read
// out and tested in time and distance on two tariffs, its results and counters looked through, its
// checklist met, the positive verdict on the screen, the job saved and every document printed with
// the certificate, each page read back with poppler and every code on it with two readers. The same
// job with one test beyond its tolerance is refused.
#include <QImage>
#include <QStringList>
#include <algorithm>

#include "tests/acceptance/station_day.h"
#include "tests/barcode/component/qr_image_oracles.h"

namespace {

// 2025-03-03 10:05 UTC: a morning inside the validity of the meter's tariff layouts.
constexpr int64_t kMorning = 1740996300000;

int Occurrences(const std::string &text, const char *what) {
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

class TwoTariffJob : public StationDay {
protected:
    void SetUp() override {
        StationDay::SetUp();
        runtime::UseVirtualClock(kMorning);
    }

    // The cell of the results grid shown on the screen: column 0 the nominal value, 9 the error [%].
    QString Grid(int column, int row) const { return form->FareGridColumns[26 * column + row]->Text(); }
    // The counters page: row 0 start, 1 end, 2 difference, 3 realised, 4 error.
    QString Counter(int row, int counter) const { return form->CounterEdits[8 * row + counter]->Text(); }

    // The results page: each tariff's time and distance points where the tariff puts them, none of
    // them marked. Leaves tariff 1's distance test shown.
    void ShowsEachTestsPoints() {
        TForm1 &w = *form;
        Click(w.Panel159);  // Wyniki
        struct Shown {
            TPanel *tariff, *test;
            const char *lastPoint;
        };
        for (const Shown &s : {Shown{w.TariffSelPanels[0], w.Panel126, "180,000"},
                               Shown{w.TariffSelPanels[1], w.Panel126, "166,154"},
                               Shown{w.TariffSelPanels[1], w.Panel127, "857,143"},
                               Shown{w.TariffSelPanels[0], w.Panel127, "1000,000"}}) {
            SCOPED_TRACE(s.lastPoint);
            Click(s.tariff);
            Click(s.test);
            EXPECT_EQ(Grid(0, 3), s.lastPoint);
            for (int row = 0; row < 4; ++row) {
                EXPECT_NE(Grid(9, row), "---") << row;
                EXPECT_NE(w.FareGridColumns[26 * 9 + row]->Color(), clRed)
                    << "error of row " << row << " marked";
            }
            EXPECT_EQ(Grid(0, 4), "---") << "three points and the start";
        }
    }

    // What the officer reads of the verdict: the reasons under the results and the regime's colour.
    bool VerdictShownPositive() const {
        const QStringList reasons = form->Memo1->Lines().Lines();
        return std::all_of(reasons.begin(), reasons.end(),
                           [](const QString &line) { return line.isEmpty(); }) &&
               form->Panel13->Font().Color() != clRed;
    }
};

// Tests of one job in measuring runs of their own, as the officer runs them with "AUTO-Leg" off:
// the readout that opens a run keeps what the runs before it measured.
TEST_F(TwoTariffJob, MeterWithinToleranceOnTwoTariffsGetsAPositiveVerdictAndItsCertificate) {
    TForm1 &w = Start();
    Click(w.Panel392);  // AUTO-Leg
    ASSERT_EQ(w.Panel392->Color(), clWhite);
    Play("own_family_pass.txt");
    // Identity and readout as the meter gave them.
    EXPECT_EQ(w.Edit21->Text(), "12345");
    EXPECT_EQ(w.Edit7->Text(), "TMBJJ7NE0L0123456");
    EXPECT_EQ(w.Edit107->Text(), "2500");
    EXPECT_EQ(w.Panel13->Caption(), "MID");
    EXPECT_EQ(w.Edit8->Text(), "A1,A2,") << "both tariffs tested";
    EXPECT_TRUE(VerdictShownPositive()) << w.Memo1->Lines().Lines().join('|').toStdString();

    // The job's own data, typed on the parameters page.
    Click(w.Panel156);  // Param.
    const std::pair<TEdit *, QString> typed[] = {{w.Edit35, "WZ 12/2025"},
                                                 {w.Edit102, "2025-03-03"},
                                                 {w.Edit10, "Jan Kowalski"},
                                                 {w.Edit9, "inspektor"}};
    for (const auto &[edit, text] : typed) {
        Click(edit);
        Type(edit, text);
        EXPECT_EQ(edit->Text(), text) << edit->Name().toStdString();
    }

    ShowsEachTestsPoints();
    // The counters page of the last test shown: one trip and its fare, no error.
    Click(w.Panel160);  // Liczniki
    EXPECT_EQ(Counter(2, 3), "11,00");
    EXPECT_EQ(Counter(2, 5), "1");
    for (int counter : {3, 4, 5, 6}) EXPECT_EQ(Counter(4, counter), counter == 5 ? "0" : "0,00") << counter;

    // The checklist: met as it stands; an item marked "not met" turns the verdict, marked met
    // again it turns it back.
    Click(w.Panel9);  // Ogl.
    for (TPanel *item : w.InspectionItemPanels)
        EXPECT_TRUE(item->Caption() == "+" || item->Caption() == "ND") << item->Name().toStdString();
    TPanel *item = w.InspectionItemPanels[5];
    Click(item);
    ASSERT_EQ(item->Caption(), "-");
    EXPECT_FALSE(VerdictShownPositive());
    EXPECT_TRUE(w.Memo1->Lines().Lines().join('|').contains("błąd oględzin (3)"))
        << w.Memo1->Lines().Lines().join('|').toStdString();
    Click(item);  // ND
    Click(item);  // +
    ASSERT_EQ(item->Caption(), "+");
    EXPECT_TRUE(VerdictShownPositive()) << w.Memo1->Lines().Lines().join('|').toStdString();

    const ShownJob shown = LookThroughJob();
    Save();
    Click(w.Panel33);  // DRUKUJ
    EXPECT_TRUE(w.Panel249->Enabled()) << "the certificate is offered for a positive verdict";
    Click(w.Panel39);  // ANULUJ
    PrintEverything();
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();

    const std::vector<std::string> landscape = PageTexts(PdfName(1)), portrait = PageTexts(PortraitName(1));
    ASSERT_EQ(landscape.size(), 3u) << "annex B's first page and one results page a tariff";
    EXPECT_TRUE(Has(landscape[0], "WYNIK SPRAWDZENIA TAKSOMETRU: POZYTYWNY"));
    EXPECT_FALSE(Has(landscape[0], "błąd"));
    for (const char *text : {"WZ 12/2025", "Jan Kowalski", "inspektor", "System obliczeń: S"})
        EXPECT_TRUE(Has(landscape[0], text)) << text;
    for (const char *text : {"TARYFA A1", "180,000", "1000,000"})
        EXPECT_TRUE(Has(landscape[1], text)) << text;
    for (const char *text : {"TARYFA A2", "166,154", "857,143"}) EXPECT_TRUE(Has(landscape[2], text)) << text;

    ASSERT_EQ(portrait.size(), 5u);
    EXPECT_TRUE(Has(portrait[0], "Protokół sprawdzenia"));
    EXPECT_EQ(Occurrences(portrait[0], "pozytywny"), 2) << "inspection and errors" << portrait[0];
    EXPECT_FALSE(Has(portrait[0], "negatywny"));
    EXPECT_TRUE(Has(portrait[1], "Załącznik C."));
    EXPECT_TRUE(Has(portrait[2], "ZAŁĄCZNIK A. Oględziny"));
    // The certificate: valid two years and a month from the day of the check, for the six tariffs
    // enabled in the meter's running layouts.
    for (const char *text :
         {"ŚWIADECTWO LEGALIZACJI PONOWNEJ", "Numer fabryczny: 12345", "TMBJJ7NE0L0123456",
          "Data wystawienia: 3 marca 2025 r.", "ważna do dnia: 3 kwietnia 2027", "Liczba taryf: 6"})
        EXPECT_TRUE(Has(portrait[3], text)) << text;
    EXPECT_TRUE(Has(portrait[4], "ZAŁĄCZNIK DO ŚWIADECTWA LEGALIZACJI PONOWNEJ TAKSOMETRU"));
    EXPECT_TRUE(Has(portrait[4], "z dnia 2025-03-03 , o znaku wniosku WZ 12/2025")) << portrait[4];
    EXPECT_TRUE(Has(portrait[4], "Taryfa A2                  3,50 zł")) << portrait[4];
    EXPECT_FALSE(Has(portrait[4], "Brak aktywnych układów!")) << portrait[4];

    // Each results page carries the job's enciphered code, the tariff annex its two; both readers
    // read the same codes off the rendered pages.
    EXPECT_TRUE(QrCodesOn(PdfName(1), 1).empty());
    const std::string resultsCode = QrCodesOn(PdfName(1), 2);
    EXPECT_TRUE(Has(resultsCode, "LEG:0\nSZYFR:3DES\nSTART:\n")) << resultsCode;
    EXPECT_EQ(QrCodesOn(PdfName(1), 3), resultsCode);
    for (int page : {2, 3}) {
        const std::vector<std::string> read = qrtest::ZxingAllBytes(QImage(RenderPage(PdfName(1), page)));
        ASSERT_EQ(read.size(), 1u) << page;
        EXPECT_EQ(read[0] + "\n", resultsCode) << page;  // zbar ends its reading with a line break
    }
    const std::vector<std::string> tariffCodes =
        qrtest::ZxingAllBytes(QImage(RenderPage(PortraitName(1), 5)));
    ASSERT_EQ(tariffCodes.size(), 2u);
    const std::string zbar = QrCodesOn(PortraitName(1), 5);
    for (const std::string &code : tariffCodes) EXPECT_TRUE(Has(zbar, code.c_str())) << code;
    EXPECT_TRUE(Has(zbar, "SZYFR:NONE")) << zbar;
    EXPECT_TRUE(Has(zbar, "T2:3,50")) << zbar;
    ExpectReloadAndReprintEqual(shown, "12345");
}

// The same tests in one measuring run, the interface having reported its time generator: each
// readout ends one test and starts the next, and the run makes the same passing job.
TEST_F(TwoTariffJob, TestsInOneRunMakeTheSameJob) {
    TForm1 &w = Start();
    Play("own_family_pass_one_run.txt");
    EXPECT_EQ(w.Edit437->Text(), "+0,000579");
    EXPECT_EQ(w.Edit8->Text(), "A1,A2,");
    ShowsEachTestsPoints();
    EXPECT_TRUE(VerdictShownPositive()) << w.Memo1->Lines().Lines().join('|').toStdString();

    // A look at the saved jobs, left without loading one, leaves the job as it was.
    Click(w.Panel36);  // CZYTAJ BD
    ASSERT_TRUE(w.Panel38->Visible());
    Click(w.Panel149);  // WYJDZ
    ASSERT_FALSE(w.Panel38->Visible());
    EXPECT_EQ(w.Edit8->Text(), "A1,A2,");
    EXPECT_TRUE(VerdictShownPositive()) << w.Memo1->Lines().Lines().join('|').toStdString();
}

// The same job with tariff 2's time units counted 0,2 % late: that one test beyond its tolerance
// makes the verdict negative, with its one reason on the screen and on annex B and its last point
// marked, and the certificate is not offered.
TEST_F(TwoTariffJob, OneTestOutOfToleranceGivesANegativeVerdictAndNoCertificate) {
    TForm1 &w = Start();
    Click(w.Panel392);  // AUTO-Leg
    Play("own_family_slow_tariff.txt");
    EXPECT_EQ(w.Edit8->Text(), "A1,A2,");
    EXPECT_EQ(w.Memo1->Lines().Lines(), (QStringList{"błąd pomiaru czasu", ""}));
    EXPECT_EQ(w.Panel13->Font().Color(), clRed);

    Click(w.Panel159);  // Wyniki
    Click(w.TariffSelPanels[1]);
    Click(w.Panel126);  // czas
    EXPECT_EQ(Grid(0, 3), "166,486");
    // Only the first and the last point are judged; the last is beyond 0,2 s and 0,1 %.
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(w.FareGridColumns[26 * 9 + row]->Color() == clRed, row == 3) << "error of row " << row;
    Click(w.TariffSelPanels[0]);
    for (int row = 0; row < 4; ++row) EXPECT_NE(w.FareGridColumns[26 * 9 + row]->Color(), clRed) << row;

    const ShownJob shown = LookThroughJob();
    Save();
    PrintEverything();
    EXPECT_FALSE(w.Panel249->Enabled()) << "no certificate for a negative verdict";
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    const std::vector<std::string> all = Printed(1);
    ASSERT_EQ(all.size(), 7u) << "annex B's three pages, protocol, annexes C and A, tariff annex";
    EXPECT_TRUE(Has(all[0], "WYNIK SPRAWDZENIA TAKSOMETRU: NEGATYWNY"));
    EXPECT_TRUE(Has(all[0], "błąd pomiaru czasu"));
    EXPECT_FALSE(Has(all[0], "błąd liczników"));
    EXPECT_TRUE(Has(all[2], "166,486"));
    EXPECT_EQ(PagesWith(all, "ŚWIADECTWO LEGALIZACJI PONOWNEJ TAKSOMETRU\n"), 0);
    EXPECT_TRUE(Has(all[3], "negatywny")) << all[3];
    ExpectReloadAndReprintEqual(shown, "12345");
}

}  // namespace
