// The print options screen through the window's commands, and what the print run changes in the
// window beyond the printed pages.
#include <QTemporaryDir>
#include <regex>

#include "platform/gui/gui_test_support.h"
#include "platform/gui/printer.h"
#include "tests/printing/window/print_window_fixture.h"

namespace {

using PrintOptionsTest = PrintWindowTest;

TEST_F(PrintOptionsTest, OpeningTheOptionsOffersWhatTheJobAllows) {
    w->Panel162->Click();  // "Leg.": a job being verified
    gui::AdvanceTime(200);
    for (TControl *c : std::initializer_list<TControl *>{w->Panel321, w->Panel322, w->Label223, w->Label224,
                                                         w->Panel324, w->Label227, w->Panel383, w->Label425})
        c->Show();
    w->Panel383->SetColor(clBlack);
    w->Panel249->SetColor(clBlack);

    Press(w->Panel33);  // DRUKUJ
    EXPECT_TRUE(w->Panel7->Visible());
    EXPECT_FALSE(w->Panel239->Visible());
    for (TControl *c : std::initializer_list<TControl *>{w->Panel321, w->Panel322, w->Label223, w->Label224,
                                                         w->Panel324, w->Label227, w->Panel383, w->Label425})
        EXPECT_FALSE(c->Visible()) << c->Name().toStdString();
    EXPECT_EQ(w->Panel383->Color(), clWhite) << "no duplicate of the job being verified";
    EXPECT_TRUE(w->Panel249->Enabled());
    EXPECT_EQ(w->Panel249->Color(), clBlack);

    // ANULUJ: back to the main screen.
    Press(w->Panel39);  // ANULUJ
    EXPECT_FALSE(w->Panel7->Visible());
    EXPECT_TRUE(w->Panel239->Visible());

    // A failed inspection item: no certificate can be chosen.
    w->InspectionItemPanels[3]->SetCaption("-");
    Press(w->Panel33);  // DRUKUJ
    EXPECT_EQ(w->Panel249->Color(), clWhite);
    EXPECT_FALSE(w->Panel249->Enabled());
    w->Panel249->Click();
    EXPECT_EQ(w->Panel249->Color(), clWhite) << "a disabled tick box does not flip";
}

TEST_F(PrintOptionsTest, ADuplicateIsOfferedForAJobFromTheList) {
    w->Panel162->SetColor(clInactiveCaptionText);  // "Leg." unlit: a job read from the list
    w->Panel383->Hide();
    Press(w->Panel33);  // DRUKUJ
    EXPECT_TRUE(w->Panel383->Visible());
    EXPECT_TRUE(w->Label425->Visible());
}

TEST_F(PrintOptionsTest, CertificateTickBoxFlipsAndKeepsTheVersionChoiceHidden) {
    w->Panel7->Show();
    w->Panel321->Show();
    w->Label224->Show();
    w->Panel249->Click();
    EXPECT_EQ(w->Panel249->Color(), clBlack);
    EXPECT_FALSE(w->Panel321->Visible());
    EXPECT_FALSE(w->Label224->Visible());
    w->Panel249->Click();
    EXPECT_EQ(w->Panel249->Color(), clWhite);
}

TEST_F(PrintOptionsTest, PrintCommandPrintsAndReturnsToTheMainScreen) {
    w->Panel248->SetColor(clBlack);
    Press(w->Panel33);   // DRUKUJ
    Press(w->Panel251);  // DRUKUJ on the options screen
    EXPECT_TRUE(std::regex_search(Info(), std::regex("Pages: +1\n")));
    EXPECT_FALSE(w->Panel7->Visible());
    EXPECT_FALSE(w->Panel155->Visible());
    EXPECT_TRUE(w->Panel239->Visible());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintOptionsTest, SealDescriptionOptionGoesToTheFirstJobRecord) {
    // A station without saved jobs prints all the same.
    w->Panel277->SetColor(clBlack);
    w->Panel248->SetColor(clBlack);
    w->Drukuj();
    EXPECT_TRUE(QFile::exists(pdf));

    for (int i = 0; i < 2; ++i) {
        w->Table1->Open();
        w->Table1->Append();
        w->Table1->Post();
        w->Table1->Close();
    }
    const auto field48 = [this] {
        w->Table1->Open();
        w->Table1->First();
        const int first = w->Table1->Fields()[48].AsInteger();
        w->Table1->Last();
        const int last = w->Table1->Fields()[48].AsInteger();
        w->Table1->Close();
        return std::pair{first, last};
    };
    w->Panel248->SetColor(clWhite);  // nothing chosen: the setting is stored all the same
    w->Drukuj();
    EXPECT_EQ(field48(), std::pair(1, 0));
    EXPECT_FALSE(w->Table1->Active());
    w->Panel277->SetColor(clWhite);
    w->Drukuj();
    EXPECT_EQ(field48(), std::pair(0, 0));

    // A cancelled dialog touches nothing.
    w->Panel277->SetColor(clBlack);
    Application->PrintDialogResponder = [] { return std::optional<QString>(); };
    w->Drukuj();
    EXPECT_EQ(field48(), std::pair(0, 0));
}

TEST_F(PrintOptionsTest, RelativeToKSetsShowTheFirstTestedSlotThenItsBaseRun) {
    w->SetTaxiTivar();
    w->Panel246->SetColor(clBlack);
    w->Panel410->SetColor(clWhite);  // the second set on the base run
    w->Panel409->SetColor(clBlack);
    w->CalcRelativeToK = 1;
    w->VehicleResults = 1;
    w->TestedTariffNames[9] = "32";
    w->TestedTariffNames[12] = "41";
    for (int row = 0; row < 10; ++row) {
        w->FareRowStore[evaluation::kDistanceNom][9][row] = "n" + std::to_string(row);
        w->FareRowStore[evaluation::kRelativeToK][9][row] = "a" + std::to_string(row);
        w->FareRowStore[evaluation::kSavedNom][9][row] = "b" + std::to_string(row);
    }
    w->Drukuj();

    // Slot 9 is tariff 1 of the second layout; shown with k's results, then its base-run results.
    EXPECT_EQ(w->LayoutBase, 8);
    EXPECT_EQ(w->Panel409->Color(), clBlack);
    EXPECT_EQ(w->FareRowStore[evaluation::kDistanceNom][9][4], "a4");
    EXPECT_EQ(w->FareRowStore[evaluation::kSavedNom][9][4], "b4");
    EXPECT_EQ(w->VehicleResults, 1);
    EXPECT_EQ(w->PrintBaseRun, 0);
    EXPECT_EQ(w->PrintedTariffCount, 2);
    // Annex B is drawn: its first page and slot 9's page, then the base-run set of both again.
    EXPECT_TRUE(boxes.empty());
    const std::string info = RunCommand("pdfinfo '" + pdf.toStdString() + "' 2>&1");
    EXPECT_NE(info.find("Pages:           4\n"), std::string::npos) << info;
    EXPECT_EQ(Printer()->Orientation(), poPortrait);
}

TEST_F(PrintOptionsTest, RelativeToKKeepsTheOtherFamilysLayoutAndSurvivesASecondLayoutSlot) {
    w->SetTaxiNovitius();
    w->Panel246->SetColor(clBlack);
    w->Panel410->SetColor(clBlack);  // no second set
    w->Panel409->SetColor(clBlack);
    w->CalcRelativeToK = 1;
    w->LayoutBase = 0;
    w->TestedTariffNames[5] = "6";
    w->Drukuj();
    EXPECT_EQ(w->LayoutBase, 0);
    EXPECT_EQ(w->Panel409->Color(), clWhite) << "shown with the results relative to k";

    // A slot the other family never marks: shown in the second layout, no button past the eighth.
    w->TestedTariffNames.fill(QString());
    w->TestedTariffNames[13] = "6";
    w->Panel409->SetColor(clBlack);
    w->Drukuj();
    EXPECT_EQ(w->LayoutBase, 8);
    EXPECT_EQ(w->Panel409->Color(), clWhite);
}

}  // namespace
