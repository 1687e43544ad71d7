// The tariff-layout change procedure through the shown window: the "Z/U" question, the checklist,
// the before/after view of the layout copy and the way back to the ordinary verification.
#include <stdexcept>

#include "tests/app/shell_fixture.h"

// Texts of the window in the messages of failed checks.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// A memo's lines without the line break its text ends with.
QString Lines(const TMemo *memo) {
    return memo->Text().trimmed();
}

using ChangeProcedureTest = ShellTest;

TEST_F(ChangeProcedureTest, TheQuestionGuardsTheModeAndTheModeKeepsItsOwnGeneralData) {
    TForm1 &w = Create();
    const int ordinaryJtTop = w.Edit98->Top();
    w.Edit21->SetText("12345");
    w.Memo5->SetText("applicant of the verification");

    Press(w.Panel342);
    EXPECT_TRUE(w.Panel384->Visible()) << "the warning is asked first";
    EXPECT_FALSE(w.Panel239->Enabled());
    Press(w.Panel386);  // "NIE"
    EXPECT_FALSE(w.Panel384->Visible());
    EXPECT_TRUE(w.Panel239->Enabled());
    EXPECT_FALSE(TForm1::Lit(w.Panel342));
    EXPECT_EQ(w.Panel159->Caption(), "Wyniki");

    Press(w.Panel342);
    Press(w.Panel385);  // "TAK"
    EXPECT_FALSE(w.Panel384->Visible());
    EXPECT_TRUE(w.Panel239->Enabled());
    ASSERT_TRUE(TForm1::Lit(w.Panel342));
    EXPECT_EQ(w.Panel342->Font().Color(), clBlack);
    EXPECT_EQ(w.Panel159->Caption(), "REJ. ZMIAN / LICZNIKI");
    EXPECT_EQ(w.Label331->Caption(), "ZMIENIONE UKŁADY  TARYF");
    EXPECT_EQ(w.Label153->Caption(), "SPRAWDZENIE POPRAWNOŚCI ZMIANY UKŁADÓW TARYF TAKSOMETRU");
    EXPECT_EQ(w.Panel5->Caption(),
              "SPRAWDZENIE TAKSOMETRU W ZAKRSIE ZMIANY UKŁADÓW TARYF   (Kestrium v1.04.02)");
    for (TControl *shown :
         std::initializer_list<TControl *>{w.Edit527, w.Edit528, w.Edit526, w.Edit525, w.Label262})
        EXPECT_TRUE(shown->Visible()) << shown->Name().toStdString();
    for (TControl *hidden :
         std::initializer_list<TControl *>{w.Edit99, w.Edit96, w.Panel163, w.Panel162, w.Panel160, w.Panel393,
                                           w.Edit108, w.TariffParamEdits[8 * 5]})
        EXPECT_FALSE(hidden->Visible()) << hidden->Name().toStdString();
    EXPECT_EQ(w.Edit98->Top(), ordinaryJtTop + (w.Edit99->Top() - ordinaryJtTop)) << "one row down";
    EXPECT_EQ(w.ZmianaCaptionLabels[0]->Caption(), "Odc. początkowy włączony");
    EXPECT_EQ(w.ZmianaCaptionLabels[4]->Caption(), "Maximum dopłaty");
    EXPECT_EQ(w.ZmianaCaptionLabels[18 + 5]->Caption(), "MAX.D[zł]");
    EXPECT_EQ(w.Edit495->Text(), "---");
    EXPECT_FALSE(w.Edit495->Enabled());
    EXPECT_EQ(w.Edit498->Text(), "---");
    EXPECT_EQ(w.Panel347->Caption(), "TAK");
    EXPECT_EQ(w.Panel365->Caption(), "NIE");
    EXPECT_EQ(w.ZuTariffParamsAfter[4][15], "---");
    EXPECT_EQ(w.CurrentPage, 0) << "the parameters page is shown";
    EXPECT_NE(w.Edit21->Text(), "12345") << "the procedure's own general data";
    EXPECT_FALSE(w.Edit8->Enabled());

    w.Edit21->SetText("Z-777");
    w.Memo5->SetText("applicant of the change");
    Press(w.Panel342);  // leave: no question
    EXPECT_FALSE(w.Panel384->Visible());
    EXPECT_FALSE(TForm1::Lit(w.Panel342));
    EXPECT_EQ(w.Panel342->Color(), clInactiveCaptionText);
    EXPECT_EQ(w.Edit21->Text(), "12345");
    EXPECT_EQ(Lines(w.Memo5), "applicant of the verification");
    EXPECT_EQ(w.Panel159->Caption(), "Wyniki");
    EXPECT_EQ(w.Label331->Caption(), "SPRAWDZANE TARYFY");
    EXPECT_EQ(w.Edit98->Top(), ordinaryJtTop);
    EXPECT_TRUE(w.Edit99->Visible());
    EXPECT_FALSE(w.Edit527->Visible());
    EXPECT_EQ(w.ZmianaCaptionLabels[2]->Caption(), "Stała taryf C");
    EXPECT_EQ(w.Edit495->Text(), "Załącznik A - Oględziny zewnętrzne") << "no annex file: the standard title";
    EXPECT_TRUE(w.Edit495->Enabled());

    Press(w.Panel342);
    Press(w.Panel385);
    EXPECT_EQ(w.Edit21->Text(), "Z-777") << "the procedure's general data came back";
    EXPECT_EQ(Lines(w.Memo5), "applicant of the change");
}

TEST_F(ChangeProcedureTest, SwitchingOnTwiceMovesNothingAndKeepsTheSavedData) {
    TForm1 &w = Create();
    const int jtTop = w.Edit98->Top();
    w.Edit21->SetText("12345");
    // A hidden general-data edit keeps its text while its store takes it.
    w.Edit486->SetVisible(false);
    w.Edit486->SetText("195/65R15");
    w.ZmianaUkladow(1);
    const int shiftedTop = w.Edit98->Top();
    EXPECT_NE(shiftedTop, jtTop);
    EXPECT_EQ(w.Edit486->Text(), "195/65R15");
    w.Edit21->SetText("Z-1");
    // A change readout enters the mode again while it is on.
    w.ZmianaUkladow(1);
    EXPECT_EQ(w.Edit98->Top(), shiftedTop);
    EXPECT_EQ(w.Edit21->Text(), "Z-1");
    w.ZmianaUkladow(0);
    EXPECT_EQ(w.Edit98->Top(), jtTop);
    EXPECT_EQ(w.Edit21->Text(), "12345");
    w.ZmianaUkladow(0);
    EXPECT_EQ(w.Edit98->Top(), jtTop);
}

TEST_F(ChangeProcedureTest, ChecklistAnswersWriteTheFailedItemsIntoTheRemarks) {
    TForm1 &w = Create();
    Press(w.Panel342);
    Press(w.Panel385);
    w.Memo1->SetText("typed remark");
    Press(w.Panel348);  // item 2: "NIE"
    EXPECT_EQ(w.Panel348->Caption(), "NIE");
    EXPECT_EQ(Lines(w.Memo1), "OGLĘDZINY ZEWNĘTRZNE: poz. 2");
    Press(w.Panel365);  // item 16: a damaged mark
    EXPECT_EQ(Lines(w.Memo1), "OGLĘDZINY ZEWNĘTRZNE: poz. 2,16");
    EXPECT_TRUE(w.GetStatusOgledzinZU());
    Press(w.Panel348);
    Press(w.Panel365);
    EXPECT_EQ(Lines(w.Memo1), "");
    EXPECT_FALSE(w.GetStatusOgledzinZU());
}

TEST_F(ChangeProcedureTest, TheViewLabelSwitchesBetweenTheTwoLayoutsAndEditsStoreIntoTheShownOne) {
    TForm1 &w = Create();
    Press(w.Panel342);
    Press(w.Panel385);
    w.CurrentTariff = 1;
    w.ZuEnabledFlagsAfter[1] = 1;
    w.ZuValidityDatesAfter[0] = "2026-01-01";
    w.ZuValidityDatesAfter[4] = "2027-12-31";
    TEdit *oplP = w.TariffPanelEdits[1];
    oplP->SetText("4,00");
    w.Edit98->SetText("0,10");
    EXPECT_EQ(w.ZuTariffParamsBefore[0][1], "4,00");
    EXPECT_EQ(w.ZuGroupUnitsBefore[0][0], "0,10");

    Press(w.Panel343);
    EXPECT_EQ(w.ZmianaView, 1);
    EXPECT_EQ(w.Label423->Caption(), "Po zmianie");
    EXPECT_EQ(oplP->Text(), "---") << "nothing received for the layout after the change";
    EXPECT_EQ(w.ZuTariffParamsAfter[0][1], "---") << "showing stores nothing";
    EXPECT_EQ(w.ZuTariffParamsBefore[0][1], "4,00");
    EXPECT_EQ(w.Label220->Caption(), "UKŁAD TARYF AKTYWNY od 2026-01-01 do 2027-12-31");
    EXPECT_EQ(w.TariffActivePanels[1]->Color(), clBlack);
    EXPECT_EQ(w.TariffActivePanels[0]->Color(), clWhite);
    EXPECT_EQ(w.Edit527->Text(), "---") << "the other family has no initial-segment switch";
    oplP->SetText("5,00");
    EXPECT_EQ(w.ZuTariffParamsAfter[0][1], "5,00");

    Press(w.Panel343);
    EXPECT_EQ(w.ZmianaView, 0);
    EXPECT_EQ(w.Label423->Caption(), "Przed zmianą");
    EXPECT_EQ(oplP->Text(), "4,00");
    EXPECT_EQ(w.Edit98->Text(), "0,10");
    EXPECT_EQ(w.ZuTariffParamsAfter[0][1], "5,00");
}

// A write that fails while the tariff page shows the other layout is reported, and the layout copy
// goes on working: the next switch of the view shows that layout, and an edit stores into it.
TEST_F(ChangeProcedureTest, AFailureWhileShowingALayoutLeavesTheCopyWorking) {
    TForm1 &w = Create();
    Press(w.Panel342);
    Press(w.Panel385);
    w.CurrentTariff = 1;
    TEdit *oplP = w.TariffPanelEdits[1];
    oplP->SetText("4,00");
    w.ZuMaxSurchargeAfter[0] = "9,99";
    w.Edit526->OnChange = [&w, handler = w.Edit526->OnChange](TObject *) {
        w.Edit526->OnChange = handler;
        throw std::runtime_error("a step failed");
    };
    Press(w.Panel343);  // "Po zmianie": the maximum surcharge's write fails
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "a step failed.");
    EXPECT_EQ(w.ZmianaView, 1);

    Press(w.Panel343);  // "Przed zmianą"
    EXPECT_EQ(w.ZmianaView, 0);
    EXPECT_EQ(oplP->Text(), "4,00");
    EXPECT_EQ(w.Edit526->Text(), "---");
    oplP->SetText("4,50");
    EXPECT_EQ(w.ZuTariffParamsBefore[0][1], "4,50");
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
