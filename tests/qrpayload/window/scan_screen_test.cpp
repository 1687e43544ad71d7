// The scanned-code screen of the main window driven as the operator and the scanner drive it: the
// commands, the tick panel, typed keys and the virtual clock.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <memory>

#include "app/form1.h"
#include "platform/gui/gui_fixture.h"
#include "platform/runtime/cp1250.h"
#include "qrpayload/code_fixtures.h"
#include "tests/app/screen_clicks.h"

namespace {

class ScanScreen : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = CreateForm<TForm1>();
        w = form.get();
        w->Timer5->SetEnabled(false);  // no device library in these tests
        // The window's seconds handler counts the seconds of a registration code's arrival.
        w->Timer12->OnTimer = [this](TObject *) { ++w->ScanTick; };
        w->Panel162->SetColor(clWhite);  // verification mode chosen
        w->Panel163->SetColor(clInactiveCaptionText);
    }

    // Opens the screen; asking for loading clicks the tick panel black.
    void Open(bool load) {
        w->OpenScanScreen();
        if (load) w->Panel254->Click();
    }

    // The scanner types the text a chunk at a time, a tick of the intake after each chunk; every
    // line break arrives as one Enter key.
    void Scan(std::string_view cp1250, std::size_t chunk) {
        QString text = QString::fromStdString(Cp1250ToUtf8(cp1250));
        text.replace("\r\n", "\r").replace('\n', '\r');
        for (qsizetype at = 0; at < text.size(); at += static_cast<qsizetype>(chunk)) {
            Type(w->Memo11->Widget(), text.mid(at, static_cast<qsizetype>(chunk)));
            gui::AdvanceTime(50);
        }
    }

    static QStringList Lines(const TMemo *memo) { return memo->Lines().Lines(); }

    std::unique_ptr<TForm1> form;
    TForm1 *w = nullptr;
};

TEST_F(ScanScreen, OpeningPreparesTheScreenAndLeavingStopsItsTimers) {
    w->Memo11->SetText("old");
    w->Timer9->SetInterval(3000);  // left during the pause after a document
    w->OpenScanScreen();
    EXPECT_EQ(Lines(w->Memo12), QStringList{"... zeskanuj kod QR ..."});
    EXPECT_EQ(w->Memo11->Text(), "");
    EXPECT_EQ(w->Panel254->Color(), clWhite);
    EXPECT_TRUE(w->Panel253->Visible());
    EXPECT_TRUE(w->Panel228->Visible());
    EXPECT_FALSE(w->Panel239->Visible());
    EXPECT_TRUE(w->Timer9->Enabled());
    EXPECT_EQ(w->Timer9->Interval(), 50);
    w->Panel254->Click();
    EXPECT_EQ(w->Panel254->Color(), clBlack);
    w->Timer12->SetEnabled(true);

    w->CloseScanScreen();
    EXPECT_TRUE(w->Panel239->Visible());
    EXPECT_FALSE(w->Panel228->Visible());
    EXPECT_FALSE(w->Timer9->Enabled());
    EXPECT_FALSE(w->Timer12->Enabled());

    w->Panel162->SetColor(clInactiveCaptionText);  // no working mode: no option frame
    w->OpenScanScreen();
    EXPECT_FALSE(w->Panel253->Visible());
}

TEST_F(ScanScreen, EncipheredIdentityTextTypedKeyByKeyFillsTheJobFields) {
    const std::string data = Utf8ToCp1250(
        "Nr:A-1\r\nOzn. typu:T-7\r\nMarka poj.:Škoda\r\nRozm. opon kół napędowych:195/65R15\r\n"
        "System obl.:D\r\nZlec.:Z/9\r\nData:2026-12-01");
    w->Edit21->SetText("---");
    w->Edit20->SetText("T-1");  // holds a value: kept
    w->Edit111->SetText("");
    Open(true);
    Scan(w->WriteQR(data, 0, 1), 1);
    gui::AdvanceTime(500);

    EXPECT_EQ(w->QrScanState, 0);
    EXPECT_EQ(w->Memo11->Text(), "");
    EXPECT_EQ(Lines(w->Memo12), (QStringList{"Nr:A-1", "Ozn. typu:T-7", "Marka poj.:Škoda",
                                             "Rozm. opon kół napędowych:195/65R15", "System obl.:D",
                                             "Zlec.:Z/9", "Data:2026-12-01"}));
    EXPECT_EQ(w->Edit21->Text(), "A-1");
    EXPECT_EQ(w->Edit20->Text(), "T-1");
    EXPECT_EQ(w->Edit38->Text(), "Škoda");
    EXPECT_EQ(w->Edit111->Text(), "195");
    EXPECT_EQ(w->Edit457->Text(), "65");
    EXPECT_EQ(w->Edit458->Text(), "15");
    EXPECT_EQ(w->Edit12->Text(), "D");
    EXPECT_EQ(w->Edit508->Text(), "Z/9");
    EXPECT_FALSE(w->Label262->Visible());
    EXPECT_TRUE(w->ScannedQrText.starts_with("LEG:0\r\nSZYFR:3DES\r\nSTART:\r\n"));
    EXPECT_TRUE(w->ScannedQrText.ends_with("\r\nEND\r\n"));
}

TEST_F(ScanScreen, ScannerPausingInsideALineLosesNothing) {
    w->Edit21->SetText("");
    Open(true);
    Scan("\nLEG:0\nSZYFR:NONE\nSTART:\nNr:4", 4);
    gui::AdvanceTime(3000);  // the line has no line break yet: it is not read
    EXPECT_EQ(w->Memo12->Text(), "");
    Scan("2\nEN", 1);
    gui::AdvanceTime(3000);
    EXPECT_EQ(Lines(w->Memo12), QStringList{"Nr:42"});
    EXPECT_EQ(w->QrScanState, 3);
    Scan("D", 1);
    EXPECT_EQ(w->QrScanState, 0);
    EXPECT_EQ(w->Edit21->Text(), "42");
}

TEST_F(ScanScreen, PlainTariffTextInBurstsFillsTheTariffPageOrIsOnlyShown) {
    std::string data = "Stala taryf C:2,5\nWartosc jednostki taryfowej:0,10\nOplata za 1 kilometr drogi:\n";
    for (int t = 1; t <= 8; ++t) data += "T" + std::to_string(t) + ":" + std::to_string(t) + ",50\n";
    data += "Okres poczatkowy czasu:\nT2:120";
    for (const bool load : {false, true}) {
        SCOPED_TRACE(load);
        for (TEdit *edit : w->TariffParamEdits) edit->SetText("---");
        Open(load);
        Scan(w->WriteQR(data, 0, 0), 9);
        gui::AdvanceTime(1000);
        EXPECT_EQ(w->QrScanState, 0);
        EXPECT_EQ(Lines(w->Memo12).size(), 13);
        EXPECT_EQ(Lines(w->Memo17).size(), 0);
        // Under MID the evaluation shows the tariff constant as "---"; its store keeps the scanned value.
        EXPECT_EQ(w->TariffGroupUnits[evaluation::kSTC][0], load ? "2,5" : "---");
        EXPECT_EQ(w->Edit88->Text(), load ? "0,10" : "---");
        for (int t = 0; t < 8; ++t)
            EXPECT_EQ(w->TariffParamEdits[8 * 1 + t]->Text(), load ? QString("%1,50").arg(t + 1) : "---");
        EXPECT_EQ(w->TariffParamEdits[8 * 4 + 1]->Text(), load ? "120" : "---");
    }
}

// A code whose values are empty, scanned over a job on screen, empties every field the intake
// writes whatever it holds: nothing of the earlier job stays beside the scanned one.
TEST_F(ScanScreen, EmptyScannedValuesReplaceTheJobsValues) {
    using namespace evaluation;
    w->Show();
    w->Legalizacja(0);  // "Ust.": a job typed on screen
    for (const auto &[edit, text] :
         {std::pair{w->Edit38, "Fiat"}, {w->Edit508, "Z/1"}, {w->Edit510, "2026-01-01"}, {w->Edit12, "D"}})
        edit->SetText(text);
    w->TariffGroupUnits[kSTC][0] = "2,5";
    for (int g : {0, 1}) {
        w->TariffGroupUnits[kJT][g] = "0,10";
        w->TariffGroupUnits[kJDOPL][g] = "0,20";
    }
    for (int t = 0; t < 8; ++t) {
        w->TariffParams[kOplP][t] = "5,00";
        w->TariffParams[kOplD][t] = "3,00";
    }
    std::string data =
        "Marka poj.:\nZlec.:\nData:\nSystem obl.:\nStala taryf C:\nOplata poczatkowa:\n"
        "Wartosc jednostki taryfowej:\nWartosc jednostki doplaty:\nOplata za 1 kilometr drogi:\n"
        "T1:\nT2:7,00\n";
    for (int t = 3; t <= 8; ++t) data += "T" + std::to_string(t) + ":\n";

    ClickOnScreen(*w, w->Panel229);  // "KOD"
    gui::AdvanceTime(200);
    ASSERT_TRUE(w->Panel228->Visible());
    ClickOnScreen(*w, w->Panel254);  // "pobierz dane do programu"
    ASSERT_EQ(w->Panel254->Color(), clBlack);
    Scan(w->WriteQR(data, 0, 0), 9);
    gui::AdvanceTime(1000);
    ASSERT_EQ(w->QrScanState, 0);

    for (TEdit *edit : {w->Edit38, w->Edit508, w->Edit510})
        EXPECT_EQ(edit->Text(), "") << edit->Name().toStdString();
    EXPECT_EQ(w->Edit12->Text(), "S") << "written, and a system that is neither S nor D reads S";
    EXPECT_EQ(w->TariffGroupUnits[kSTC][0], "");
    for (int g : {0, 1}) {
        EXPECT_EQ(w->TariffGroupUnits[kJT][g], "") << g;
        EXPECT_EQ(w->TariffGroupUnits[kJDOPL][g], "") << g;
    }
    for (int t = 0; t < 8; ++t) {
        EXPECT_EQ(w->TariffParams[kOplP][t], "") << t;  // each page's initial fee serves its four tariffs
        EXPECT_EQ(w->TariffParams[kOplD][t], t == 1 ? "7,00" : "") << t;
    }
}

TEST_F(ScanScreen, RegistrationCodeIsRecognisedWaitedForAndLoaded) {
    w->Panel234->SetColor(clBlack);  // the applicant uses the instrument
    Open(true);
    const std::string code = MakeRegistrationCode(Utf8ToUtf16Le(Fields(DocumentFields())));
    Scan(code, 40);
    EXPECT_EQ(w->QrScanState, 4);
    EXPECT_TRUE(w->Memo12->Text().startsWith("AZTEC..."));
    gui::AdvanceTime(5000);
    EXPECT_EQ(w->QrScanState, 5);
    EXPECT_EQ(w->Timer9->Interval(), 3000);
    EXPECT_FALSE(w->Timer12->Enabled());
    EXPECT_EQ(Lines(w->Memo12)[0], "Numer rejstracyjny: EL 5ŁW12");
    EXPECT_EQ(Lines(w->Memo18)[13], "TMBJJ7NE0J0123456");
    EXPECT_EQ(w->Edit110->Text(), "EL 5ŁW12");
    EXPECT_EQ(w->Edit7->Text(), "TMBJJ7NE0J0123456");
    EXPECT_EQ(w->Edit38->Text(), "KODA");
    EXPECT_EQ(Lines(w->Memo5), (QStringList{"Przedsiębiorstwo Taksówkowe ŻAK, Łukasz Wąsowicz",
                                            "ul. Źródlana 12 90-001 Łódź"}));
    gui::AdvanceTime(3000);
    EXPECT_EQ(w->QrScanState, 0);
    EXPECT_EQ(w->Timer9->Interval(), 50);
}

TEST_F(ScanScreen, HugePasteOfGarbageLoadsNothing) {
    const QString registrationBefore = w->Edit110->Text();
    Open(true);
    QString paste;
    while (paste.size() < 300'000) paste += "QUJDREVGR0hJSktMTU5PUFFSU1RVVldY ĄŻ\n!@#$%^&*()\n";
    static_cast<QPlainTextEdit *>(w->Memo11->Widget())->insertPlainText(paste);
    gui::AdvanceTime(2000);
    EXPECT_EQ(w->QrScanState, 0);
    EXPECT_EQ(w->Edit110->Text(), registrationBefore);
}

}  // namespace
