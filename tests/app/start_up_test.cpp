// The window as FormCreate leaves it, and the remembered texts read at start-up.
#include "tests/app/shell_fixture.h"

namespace {

using StartUpTest = ShellTest;

TEST_F(StartUpTest, TheWindowStartsOnTheParametersPageInAFreshVerification) {
    TForm1 &w = Create();
    EXPECT_EQ(w.Caption(), "Kestrium v1.04.02");
    EXPECT_TRUE(w.Panel5->Caption().endsWith("ELEKTRONICZNEGO   (Kestrium v1.04.02)"));

    EXPECT_EQ(w.CurrentPage, 0);
    EXPECT_TRUE(w.Panel241->Visible());
    for (TControl *hidden : std::initializer_list<TControl *>{w.Panel240, w.Panel242, w.Panel243, w.Panel244,
                                                             w.Panel245, w.Panel289, w.Panel394, w.Label120})
        EXPECT_FALSE(hidden->Visible()) << hidden->Name().toStdString();
    EXPECT_EQ(w.Panel156->Color(), clWhite);
    EXPECT_EQ(w.Panel156->Font().Color(), clBlack);
    for (TPanel *tab : {w.Panel157, w.Panel158, w.Panel159, w.Panel160, w.Panel161, w.Panel9}) {
        EXPECT_EQ(tab->Color(), clNavy) << tab->Name().toStdString();
        EXPECT_EQ(tab->Font().Color(), clWhite) << tab->Name().toStdString();
    }

    EXPECT_TRUE(TForm1::Lit(w.Panel162));
    EXPECT_EQ(w.Panel163->Color(), clInactiveCaptionText);
    EXPECT_EQ(w.Panel163->Font().Color(), clWhite);
    EXPECT_FALSE(TForm1::Lit(w.Panel342));
    int plus = 0, notApplicable = 0;
    for (TPanel *item : w.InspectionItemPanels) {
        plus += item->Caption() == "+";
        notApplicable += item->Caption() == "ND";
    }
    EXPECT_EQ(plus, 29);
    EXPECT_EQ(notApplicable, 5);
    EXPECT_EQ(w.Panel311->Caption(), "ND");

    EXPECT_EQ(w.MeterFamily, 0) << "the NOVITIUS preset";
    EXPECT_EQ(w.ApprovalRegime, 1) << "MID";
    EXPECT_EQ(w.LegResetPending, 1);
    EXPECT_EQ(w.MidReadoutPending, 1);
    EXPECT_EQ(w.FormLoading, 0);
    EXPECT_EQ(w.RecalcGuard, 1);
    EXPECT_EQ(w.ButtonBusy, 0);
    EXPECT_EQ(w.ZakresMemoChangeOn, 1);
    EXPECT_EQ(w.TrybFiskalny, "???");
    EXPECT_FALSE(w.Timer3->Enabled());
    EXPECT_TRUE(w.Timer5->Enabled());

    EXPECT_EQ(w.Label336->Caption(), "OBLICZANIE OPŁATY Z CZASU");
    EXPECT_EQ(w.Panel126->Color(), clWhite);
    EXPECT_EQ(w.Panel127->Color(), clBtnShadow);
    const char *captions[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    for (int t = 0; t < 8; ++t) {
        EXPECT_EQ(w.TariffSelPanels[t]->Caption(), captions[t]);
        EXPECT_FALSE(w.TariffCheckBoxes[t]->Visible());
        EXPECT_EQ(w.TariffParamEdits[t]->Text(), "---");
    }
    EXPECT_EQ(w.CurrentTariff, 0);
    EXPECT_EQ(w.TariffSelPanels[0]->Color(), clWhite);
    EXPECT_EQ(w.TariffParams[6][15], "---");
    EXPECT_EQ(w.CounterStore[1][4][7][15], "---");
    EXPECT_EQ(w.FareRowStore[evaluation::kDistanceNom][15][25], "---");
    EXPECT_EQ(w.FareGridColumns[0]->Text(), "---");
    EXPECT_FALSE(w.FareGridColumns[0]->Enabled()) << "measured fields locked";
    EXPECT_TRUE(w.MainFieldEdits[0]->Enabled());
}

TEST_F(StartUpTest, TheGeneralDataTextsAreKeptTwiceAsTheWindowStartsWithThem) {
    TForm1 &w = Create();
    for (const auto &copy : w.MainFieldSaved)
        for (int f = 0; f < 27; ++f) EXPECT_EQ(copy[f], w.MainFieldEdits[f]->Text()) << f;
    for (const auto &copy : w.MainMemoSaved)
        for (int m = 0; m < 4; ++m) EXPECT_EQ(copy[m], w.MainMemos[m]->Text()) << m;
}

TEST_F(StartUpTest, InspectionCaptionsArePaddedToThePageWidth) {
    TForm1 &w = Create();
    const int width = w.Panel289->Width() - 2 * w.Label176->Left();
    TLabel *const items[] = {w.Label176, w.Label177, w.Label178, w.Label179, w.Label180, w.Label183, w.Label184,
                             w.Label186, w.Label188, w.Label190, w.Label192, w.Label194, w.Label196, w.Label172,
                             w.Label173};
    for (int i = 0; i < 15; ++i) {
        const QString caption = items[i]->Caption();
        EXPECT_EQ(caption.trimmed(), QStringLiteral("Pkt.%1").arg(i + 1));
        EXPECT_GE(items[i]->Width(), width) << i;
        EXPECT_GT(caption.size(), 20) << i;
        // The same caption as padding one blank at a time, measuring after each.
        items[i]->SetCaption(QStringLiteral("Pkt.%1").arg(i + 1));
        while (items[i]->Width() < width) items[i]->SetCaption(items[i]->Caption() + QLatin1Char(' '));
        EXPECT_EQ(items[i]->Caption(), caption) << i;
    }

    // A label of fixed size never reaches the width: the padding ends all the same.
    w.Label177->SetAutoSize(false);
    w.Label177->SetWidth(10);
    w.LabelInspectionItems();
    EXPECT_TRUE(w.Label177->Caption().startsWith("Pkt.2"));
    EXPECT_LE(w.Label177->Caption().size(), 5 + 16);
}

TEST_F(StartUpTest, WithNoTextFilesTheMarksKeepTheirTextsAndThePlacesReadNone) {
    TForm1 *blank = &Create();
    const QString markText = blank->MarkNameEdits[0]->Text();
    for (TEdit *edit : {blank->Edit483, blank->Edit485, blank->Edit484, blank->Edit508})
        EXPECT_EQ(edit->Text(), "---") << edit->Name().toStdString();
    EXPECT_EQ(markText, blank->MarkNameEdits[0]->Text());
}

TEST_F(StartUpTest, RememberedTextsFillTheirFields) {
    WriteFile("ee.txt", "drukarka\r\nskaner\r\n");
    WriteFile("em.txt", "plomba A\r\n\r\nplomba C\r\n");
    WriteFile("ems.txt", "2\r\n");
    WriteFile("poz.txt", "Gda\xF1sk\r\n2024-03-05\r\n");
    WriteFile("mp.txt", "uwagi do plomb\r\n");
    TForm1 &w = Create();

    // Filling the device edits rewrites "ee.txt" and its buffer Memo8 with all six of them.
    EXPECT_EQ(w.Memo8->Text(), "drukarka\r\nskaner\r\n---\r\n---\r\n---\r\n---\r\n");
    EXPECT_EQ(w.ExtraDeviceEdits[1]->Text(), "skaner");
    EXPECT_EQ(w.ExtraDeviceEdits[2]->Text(), "---") << "a missing line keeps the form's text";
    EXPECT_EQ(w.MarkNameEdits[0]->Text(), "plomba A");
    EXPECT_EQ(w.MarkNameEdits[1]->Text(), "---") << "an empty line shows as none";
    EXPECT_EQ(w.MarkNameEdits[5]->Text(), "---") << "a missing line shows as none";
    EXPECT_EQ(w.MarkCountEdits[0]->Text(), "2");
    EXPECT_EQ(w.Memo13->Text(), "2\r\n");
    EXPECT_EQ(w.Edit483->Text(), "Gdańsk") << "code page 1250";
    EXPECT_EQ(w.Edit485->Text(), "2024-03-05");
    for (TEdit *edit : {w.Edit484, w.Edit508, w.Edit510}) EXPECT_EQ(edit->Text(), "---") << edit->Name().toStdString();
    EXPECT_EQ(w.Memo2->Lines()[0], "uwagi do plomb");
}

TEST_F(StartUpTest, ClosingTheWindowClosesTheJobTableAndLetsTheLibraryGo) {
    TForm1 &w = Create();
    gui::AdvanceTime(300);
    ASSERT_EQ(w.DllLoaded, 1);
    TCloseAction action = caHide;
    w.FormClose(&w, action);
    EXPECT_FALSE(w.Table1->Active());
    EXPECT_FALSE(w.FtdiDll.Loaded());
}

}  // namespace
