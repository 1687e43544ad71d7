// A tariff-layout change checked at the station: the officer enters the change procedure, the
// simulator's taximeter sends the layouts before and after the change, the officer answers the
// inspection questions, looks at both layouts, saves, prints the procedure's protocol and annex
// and leaves the procedure; the job found again prints the same annex.
#include <QFile>
#include <QImage>
#include <QStringList>

#include "tests/acceptance/station_day.h"

namespace {

bool Has(const std::string &text, const std::string &what) {
    return text.find(what) != std::string::npos;
}

class ChangeProcedureDay : public StationDay {
protected:
    void Save() {
        Click(form->Panel35);  // ZAPISZ BD
        ASSERT_TRUE(form->Panel150->Visible());
        Click(form->Panel151);  // ZAPISZ
    }
    // The first OpłP edit of the tariff page as it shows the layout copy.
    QString FirstInitialFee() const { return form->TariffPanelEdits[0]->Text(); }
};

TEST_F(ChangeProcedureDay, LayoutChangeFromTheMeterToTheProtocolAndTheAnnex) {
    TForm1 &w = Start();
    Click(w.Panel342);  // "Z/U"
    ASSERT_TRUE(w.Panel384->Visible()) << "the warning is asked first";
    Click(w.Panel385);  // "TAK"
    ASSERT_TRUE(TForm1::Lit(w.Panel342));
    EXPECT_EQ(w.Panel159->Caption(), "REJ. ZMIAN / LICZNIKI");

    // The meter's change readout: a page record cut short and a mask message without its byte on
    // the way change nothing of what follows them.
    Play("layout_change.txt");
    ASSERT_TRUE(TForm1::Lit(w.Panel342)) << "the readout keeps the procedure on";
    EXPECT_EQ(w.TestReturn, 0) << "the readout has ended";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(w.Edit21->Text(), "12345");
    EXPECT_EQ(w.Edit8->Text(), "1") << "tariff 1 changed";
    EXPECT_EQ(w.ZuTariffParamsBefore[0][0], "8,00");
    EXPECT_EQ(w.ZuTariffParamsAfter[0][0], "9,50");
    EXPECT_EQ(w.ZuTariffParamsAfter[0][5], "13,00");
    EXPECT_EQ(w.ZuMaxSurchargeBefore[1], "8765,43");
    EXPECT_EQ(w.ZuMaxSurchargeAfter[0], "8999,99");
    EXPECT_EQ(w.ZuValidityDatesBefore[0], "2024.05.17");
    EXPECT_EQ(w.ZuValidityDatesBefore[4], "2025.12.31");
    EXPECT_EQ(w.ZuValidityDatesAfter[0], "2026.01.01");
    EXPECT_EQ(w.ZuValidityDatesAfter[4], "2027.12.31");
    EXPECT_EQ(w.ZuInitialSegmentAfter[0], 1);
    EXPECT_EQ(w.ZuInitialSegmentBefore[0], 0);
    EXPECT_EQ(w.ZuEnabledFlagsBefore[5], 1);
    EXPECT_EQ(w.ZuEnabledFlagsBefore[6], 0);
    EXPECT_EQ(QString(QChar(w.LayoutPageCodes[0])) + QChar(w.LayoutPageCodes[4]), "AB");
    EXPECT_EQ(w.Edit498->Text(), "3");
    EXPECT_EQ(w.Edit503->Text(), "2024-05-17 10:30:00");
    EXPECT_EQ(w.Edit504->Text(), "---");
    EXPECT_NE(w.Edit518->Text(), "---") << "the registers from the totaliser record";

    // The inspection: item 2 does not agree with the real state.
    Click(w.Panel9);  // "Ogl."
    ASSERT_TRUE(w.Panel344->Visible());
    Click(w.Panel348);
    EXPECT_EQ(w.Panel348->Caption(), "NIE");
    EXPECT_EQ(w.Memo1->Text().trimmed(), "OGLĘDZINY ZEWNĘTRZNE: poz. 2");

    // Both layouts on the tariff page, one after the other.
    Click(w.Panel157);
    ASSERT_TRUE(w.Label423->Visible());
    EXPECT_EQ(w.Label423->Caption(), "Po zmianie");
    EXPECT_EQ(FirstInitialFee(), "9,50");
    EXPECT_EQ(w.Label220->Caption(), "UKŁAD TARYF AKTYWNY od 2026.01.01 do 2027.12.31");
    EXPECT_EQ(w.Panel157->Caption(), "Tar.B-D");
    EXPECT_EQ(w.Edit526->Text(), "8999,99") << "the maximum surcharge of layout B";
    EXPECT_EQ(w.Edit527->Text(), "TAK") << "its initial segment";
    Click(w.Label423);
    EXPECT_EQ(w.Label423->Caption(), "Przed zmianą");
    EXPECT_EQ(FirstInitialFee(), "8,00");
    EXPECT_EQ(w.Edit526->Text(), "9999,99");
    EXPECT_EQ(w.Edit527->Text(), "NIE");
    EXPECT_EQ(w.Panel157->Caption(), "Tar.A-C");
    EXPECT_EQ(w.ZuTariffParamsAfter[0][0], "9,50") << "showing a side stores nothing";
    // The second tab shows the layout read from the page record cut short: nothing of it.
    Click(w.Panel158);
    EXPECT_EQ(w.Panel158->Caption(), "Tar.E-") << "a group without a page letter";
    EXPECT_EQ(FirstInitialFee(), "---");
    EXPECT_EQ(w.Edit526->Text(), "---");
    Click(w.Label423);
    Click(w.Panel157);
    EXPECT_EQ(FirstInitialFee(), "9,50");

    const ShownJob shown = LookThroughJob();
    Save();
    Print({w.Panel246, w.Panel247});
    EXPECT_TRUE(boxes.empty());
    const std::vector<std::string> annex = PageTexts(PdfName(1)), protocol = PageTexts(PortraitName(1));
    ASSERT_EQ(annex.size(), 1u) << "the annex alone in the landscape job";
    ASSERT_EQ(protocol.size(), 1u);
    for (const char *text :
         {"Załącznik A - Sprawdzenie zmiany opłat lub układu taryf taksometru", "STRONA: 1/1", "NEGATYWNY",
          "OGLĘDZINY ZEWNĘTRZNE: poz. 2", "Nr.Taksometru: 12345", "VIN: TMBJJ7NE0L0123456",
          "PARAMETRY TARYF PRZED ZMIANĄ", "PARAMETRY TARYF PO ZMIANIE",
          "A - aktywny od 2024.05.17 do 2025.12.31", "B - aktywny od 2026.01.01 do 2027.12.31", "8765,43",
          "8999,99", "9,50", "2024-05-17", "10:30:00", "REJESTRY", "UWAGA."})
        EXPECT_TRUE(Has(annex[0], text)) << text;
    const std::string code = QrCodesOn(PdfName(1), 1);
    EXPECT_TRUE(Has(code, "LEG:0\nSZYFR:3DES\nSTART:\n")) << code;
    for (const char *text : {"Protokół sprawdzenia taksometru, wprowadzonego do obrotu lub użytkowania",
                             "Numer fabryczny:", "12345", "Czy przyrząd pomiarowy jest uszkodzony?",
                             "(podpis osoby przeprowadzającej sprawdzenie)"})
        EXPECT_TRUE(Has(protocol[0], text)) << text;
    // The protocol's title, the first text of the job after the annex's code, stands black on paper.
    const QImage page(RenderPage(PortraitName(1), 1));
    ASSERT_FALSE(page.isNull());
    const double unit = page.width() / 21.0;
    int dark = 0;
    for (int y = int(1.2 * unit); y < int(1.6 * unit); ++y)
        for (int x = int(3.0 * unit); x < int(15.0 * unit); ++x)
            dark += qGray(page.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(dark, 1000) << "the title is not printed in black";

    // Leaving the procedure needs no question; the ordinary verification comes back.
    Click(w.Panel342);
    EXPECT_FALSE(w.Panel384->Visible());
    EXPECT_FALSE(TForm1::Lit(w.Panel342));
    EXPECT_EQ(w.Panel159->Caption(), "Wyniki");

    // The job found again switches the procedure on and prints the same annex.
    Click(w.Panel36);  // CZYTAJ BD
    ASSERT_TRUE(w.Panel38->Visible());
    Click(w.JobRowPanels[0]);
    ASSERT_TRUE(TForm1::Lit(w.Panel342));
    EXPECT_EQ(w.Edit8->Text(), "1");
    Print({w.Panel246});
    const std::vector<std::string> again = PageTexts(PdfName(2));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0], annex[0]);
    ExpectReloadAndReprintEqual(shown, "12345");
}

}  // namespace
