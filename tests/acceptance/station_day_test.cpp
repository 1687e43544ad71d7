// A day at the station as the officer lives it, each job in a fresh folder: meters read and
// tested on the simulator, jobs saved, found and loaded again, documents printed to PDF and read
// back with poppler and a barcode reader, a printed code scanned into a new job.
#include "tests/acceptance/station_day.h"

#include <gtest/gtest-spi.h>

#include <QFile>
#include <QStringList>
#include <algorithm>

#include "tests/barcode/component/qr_image_oracles.h"

namespace {

class StationJobs : public StationDay {
protected:
    // The own-family meter of the simulator read out and tested.
    TForm1 &ReadAndTest() {
        TForm1 &w = Start();
        EXPECT_EQ(w.KlineConnected, 1);
        EXPECT_EQ(w.TivarConnected, 1);
        Play("own_family.txt");
        return w;
    }
};

// The simulator's own-family session: identity and readout on the screen; its time test is out of
// tolerance and the counters moved, so the verdict is negative, with its reasons on the screen and
// on annex B, and the certificate cannot be chosen; the codes on annex B and the tariff annex read.
TEST_F(StationJobs, FailedTestGivesANegativeVerdictOnScreenAndPaperAndNoCertificate) {
    TForm1 &w = ReadAndTest();
    EXPECT_EQ(w.Edit15->Text(), "QM0001K001");
    EXPECT_EQ(w.Edit21->Text(), "12345");
    EXPECT_EQ(w.Edit107->Text(), "2500");
    EXPECT_EQ(w.Edit7->Text(), "TMBJJ7NE0L0123456");
    EXPECT_EQ(w.Panel157->Caption(), "Tar.A-C");
    EXPECT_EQ(w.Label471->Caption(), "WOLNY");
    EXPECT_EQ(w.Memo1->Lines().Lines(), (QStringList{"błąd pomiaru czasu", "błąd liczników"}));

    Save();
    PrintEverything();
    EXPECT_FALSE(w.Panel249->Enabled()) << "no certificate for a negative verdict";
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    const std::vector<std::string> landscape = PageTexts(PdfName(1)), all = Printed(1);
    ASSERT_EQ(landscape.size(), 2u);
    ASSERT_EQ(all.size(), 6u);
    EXPECT_TRUE(Has(landscape[0], "WYNIK SPRAWDZENIA TAKSOMETRU: NEGATYWNY"));
    EXPECT_TRUE(Has(landscape[0], "błąd pomiaru czasu"));
    EXPECT_TRUE(Has(landscape[0], "błąd liczników"));
    EXPECT_TRUE(Has(landscape[1], "TARYFA A2"));
    EXPECT_EQ(PagesWith(all, "ŚWIADECTWO LEGALIZACJI PONOWNEJ TAKSOMETRU\n"), 0);
    EXPECT_EQ(PagesWith(all, "Protokół sprawdzenia"), 1);
    EXPECT_EQ(PagesWith(all, "Załącznik C."), 1);
    EXPECT_EQ(PagesWith(all, "ZAŁĄCZNIK A. Oględziny"), 1);
    EXPECT_EQ(PagesWith(all, "ZAŁĄCZNIK DO ŚWIADECTWA LEGALIZACJI PONOWNEJ TAKSOMETRU"), 1);
    // The meter's identity and the trip of its course stand on paper as the meter gave them.
    EXPECT_EQ(PagesWith(all, "12345"), 6);
    EXPECT_EQ(PagesWith(all, "TMBJJ7NE0L0123456"), 4);
    EXPECT_EQ(PagesWith(all, "2023-12-31 23:59"), 1);

    // Annex B's results carry the enciphered results code; the tariff annex its two codes.
    EXPECT_TRUE(QrCodesOn(PdfName(1), 1).empty());
    const std::string results = QrCodesOn(PdfName(1), 2);
    EXPECT_TRUE(Has(results, "LEG:0\nSZYFR:3DES\nSTART:\n")) << results;
    EXPECT_TRUE(Has(results, "\nEND")) << results;
    // A second reader reads the same code off the same page.
    EXPECT_EQ(qrtest::ZxingBytes(QImage(RenderPage(PdfName(1), 2))).value_or("(unread)") + "\n", results);
    const std::string tariffs = QrCodesOn(PortraitName(1), 4);
    EXPECT_TRUE(Has(tariffs, "SZYFR:NONE")) << tariffs;
}

// The inspection checklist: an item clicked to "not met" adds its reason to the verdict on the
// screen and on annex B, and stands on the inspection annex.
TEST_F(StationJobs, FailedChecklistItemIsAReasonOnScreenAndPaper) {
    TForm1 &w = ReadAndTest();
    Click(w.Panel9);  // Ogl.
    TPanel *item = w.InspectionItemPanels[3];
    Click(item);
    EXPECT_EQ(item->Caption(), "-");
    const QStringList reasons = w.Memo1->Lines().Lines();
    ASSERT_EQ(reasons.size(), 3);
    EXPECT_TRUE(reasons[2].startsWith("błąd oględzin")) << reasons[2].toStdString();

    Print({w.Panel246, w.Panel248});
    const std::vector<std::string> all = Printed(1);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_TRUE(Has(all[0], reasons[2].toStdString().c_str()));
    EXPECT_TRUE(Has(all[2], "ZAŁĄCZNIK A. Oględziny"));
}

// The suite reaches a control only where the officer sees it: a click on a control of a screen that
// is not open fails the test.
TEST_F(StationJobs, ClickOnAControlOfAScreenNotOpenFails) {
    static decltype(this) self;
    self = this;
    Start();
    EXPECT_FATAL_FAILURE(self->Click(self->form->Panel151),
                         "Panel151 is covered by");  // ZAPISZ of the save screen
    EXPECT_FALSE(self->form->Panel150->Visible());
}

// The program started again in the same folder: the job is found by its serial number, loaded,
// shown and printed again as it was, codes included.
TEST_F(StationJobs, JobFoundAfterARestartShowsAndPrintsTheSameJob) {
    ReadAndTest();
    SavePrintEverythingAndReload("12345");
    EXPECT_EQ(form->Memo1->Lines().Lines(), (QStringList{"błąd pomiaru czasu", "błąd liczników"}));
}

// A NOVITIUS meter identified and tested on the simulator, its trip record read; the job saved
// and annex B and the course annex printed with the meter's own figures.
TEST_F(StationJobs, NovitiusMeterWithItsTripRecord) {
    TForm1 &w = Start();
    Play("novitius.txt");
    EXPECT_EQ(w.MeterFamily, 0);
    EXPECT_EQ(w.Edit21->Text(), "ABC12345");
    EXPECT_EQ(w.Edit110->Text(), "GD 12345");
    EXPECT_EQ(w.Edit23->Text(), "PL 16 001/MI-007");
    // The trip record: its time and the lines of its text.
    EXPECT_EQ(w.Edit448->Text(), "2024-05-17 10:30");
    EXPECT_EQ(w.Memo7->Lines().Count(), 13);

    EXPECT_EQ(w.Memo1->Lines().Lines(), (QStringList{"błąd pomiaru drogi", "błąd liczników"}));

    const ShownJob shown = LookThroughJob();
    Save();
    Print({w.Panel246, w.Panel247, w.Panel405});
    EXPECT_TRUE(boxes.empty());
    const std::vector<std::string> all = Printed(1);
    ASSERT_EQ(all.size(), 4u) << "annex B's two pages, the protocol, the course annex";
    EXPECT_FALSE(Has(all[0], "Nr boczny:")) << "the NOVITIUS form of annex B";
    for (const char *text :
         {"Oznaczenie typu: Taxi e", "Nr.Taksometru: ABC12345", "Nr. Rejestracyjny: GD 12345",
          "Suma kontr. A481", "WYNIK SPRAWDZENIA TAKSOMETRU: NEGATYWNY", "błąd pomiaru drogi"})
        EXPECT_TRUE(Has(all[0], text)) << text;
    for (const char *text : {"TARYFA 2", "250,000", "Opł D [zł/km] 3,50"})
        EXPECT_TRUE(Has(all[1], text)) << text;
    for (const char *text : {"ABC12345", "PL 16 001/MI-007", "GD 12345"})
        EXPECT_TRUE(Has(all[2], text)) << text;
    EXPECT_TRUE(Has(all[3], "Załącznik C."));
    ExpectReloadAndReprintEqual(shown, "ABC12345");
}

// The codes of a QR reading, each begun by its own line break.
std::vector<std::string> Codes(const std::string &reading) {
    std::vector<std::string> codes;
    for (size_t at = reading.find("\nLEG:"); at != std::string::npos;) {
        const size_t next = reading.find("\nLEG:", at + 1);
        codes.push_back(reading.substr(at, next == std::string::npos ? std::string::npos : next - at));
        at = next;
    }
    return codes;
}

// The identity code printed on the tariff annex, scanned into the job of a fresh start as the
// scanner types it: the meter's and vehicle's fields fill from it.
TEST_F(StationJobs, PrintedIdentityCodeScannedIntoAFreshJobFillsItsFields) {
    ReadAndTest();
    Print({form->Panel250, form->Panel283});
    const std::vector<std::string> codes = Codes(QrCodesOn(PdfName(1), 1));
    ASSERT_EQ(codes.size(), 2u) << "the tariff code and the identity code";
    const auto identity = std::find_if(codes.begin(), codes.end(),
                                       [](const std::string &code) { return Has(code, "\nSZYFR:3DES\n"); });
    ASSERT_NE(identity, codes.end());
    EXPECT_TRUE(Has(codes[identity == codes.begin() ? 1 : 0], "\nSZYFR:NONE\n"));

    TForm1 &w = Start();
    ASSERT_EQ(w.Edit21->Text(), "---");
    Click(w.Panel162);  // a verification
    Click(w.Panel229);  // the scanned-code screen
    ASSERT_TRUE(w.Panel228->Visible());
    Click(w.Panel254);  // load what is scanned into the job
    // The scanner types a line and pauses; every line break comes as an Enter key.
    const QString text = QString::fromStdString(*identity);
    for (qsizetype at = 0; at < text.size(); at += 16) {
        Type(w.Memo11, text.mid(at, 16), false);
        gui::AdvanceTime(50);
    }
    gui::AdvanceTime(1000);
    EXPECT_EQ(w.Edit21->Text(), "12345");
    EXPECT_EQ(w.Edit7->Text(), "TMBJJ7NE0L0123456");
    EXPECT_EQ(w.Edit107->Text(), "2500");
    EXPECT_EQ(w.Edit12->Text(), "D");
}

}  // namespace

// An own-family readout in two parts: the totalisers that end the test come before the meter's
// fourth tariff page, so the test's results wait for that page; when it arrives they are stored
// and judged, and the job saved with them reloads as it was shown.
TEST_F(StationJobs, ResultsOfATwoPartReadoutWaitForTheFourthTariffPage) {
    TForm1 &w = Start();
    Click(w.Panel392);  // AUTO-Leg off: the fourth page belongs to the same job
    Play("own_family_two_part.txt");
    const auto grid = [&w](int column, int row) {
        return w.FareGridColumns[26 * column + row]->Text().toStdString();
    };
    EXPECT_EQ(w.TivarReadoutStage, 1);
    EXPECT_EQ(w.Edit108->Text(), "D");
    EXPECT_EQ(w.Edit8->Text(), "---") << "no tariff tested yet";
    EXPECT_TRUE(w.Memo1->Text().trimmed().isEmpty());

    Play("own_family_fourth_page.txt");
    EXPECT_EQ(w.TivarReadoutStage, 2);
    EXPECT_EQ(w.Panel158->Caption(), "Tar.--H") << "the fourth page's letter";
    EXPECT_EQ(w.Edit8->Text(), "A2,");
    Click(w.Panel159);  // Wyniki
    Click(w.TariffSelPanels[1]);
    Click(w.Panel126);  // czas
    for (const auto &[row, nominal] :
         {std::pair{1, "12,345"}, std::pair{2, "24,690"}, std::pair{3, "37,035"}})
        EXPECT_EQ(grid(0, row), nominal) << row;
    EXPECT_EQ(w.Memo1->Lines().Lines(),
              (QStringList{"błąd pomiaru drogi , błąd pomiaru czasu", "błąd liczników"}));

    const ShownJob shown = LookThroughJob();
    Save();
    Print({w.Panel246, w.Panel247});
    ExpectReloadAndReprintEqual(shown, "12345");
}

// The job of the next meter, begun ("Leg.") over a loaded job of an own-family meter, reloads as it
// was shown and prints the same documents again.
TEST_F(StationJobs, JobAfterALoadedJobOfAnotherMeterKeepsNothingOfIt) {
    TForm1 &w = ReadAndTest();
    Save();
    Click(w.Panel36);  // CZYTAJ BD
    ASSERT_TRUE(w.Panel38->Visible());
    Click(w.JobRowPanels[0]);
    ASSERT_EQ(w.Edit21->Text(), "12345");
    Click(w.Panel162);  // Leg.: a new job
    Play("novitius.txt");
    ASSERT_EQ(w.Edit21->Text(), "ABC12345");
    SavePrintEverythingAndReload("ABC12345");
}

// An own-family meter tested under the ZT regime: the job reloads with every tariff value, counter,
// flag and the verdict it showed, and prints the same documents again.
TEST_F(StationJobs, OwnFamilyZtJobReloadsAsShown) {
    TForm1 &w = Start();
    Play("own_family_zt_job.txt");
    ASSERT_EQ(w.Panel13->Caption(), "ZT");
    ASSERT_EQ(w.Edit21->Text(), "12345");
    SavePrintEverythingAndReload("12345");
}
