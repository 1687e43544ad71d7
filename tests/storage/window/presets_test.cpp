// The taximeter family presets, the tariff panels and the tariff-enable panels of the main window.
#include <gtest/gtest.h>

#include "app/main_window_fixture.h"

namespace {

class Presets : public MainWindowTest {
protected:
    void SetUp() override { window = &Create(); }
    QStringList Captions() const {
        QStringList captions;
        for (TPanel *button : window->TariffSelPanels) captions << button->Caption();
        return captions;
    }
    TForm1 *window = nullptr;
};

TEST_F(Presets, FamiliesShowTheirOwnTariffScreenAndIdentity) {
    TForm1 &w = *window;
    ASSERT_EQ(w.MeterFamily, 0);
    w.SetTaxiTivar();
    EXPECT_EQ(w.MeterFamily, 1);
    EXPECT_TRUE(w.Label220->Visible());
    EXPECT_EQ(w.Panel157->Caption(), "Tar.---");
    EXPECT_TRUE(w.TariffJdoplEdits[7]->Visible());
    EXPECT_FALSE(w.Edit100->Visible());
    EXPECT_TRUE(w.Panel320->Visible());
    EXPECT_TRUE(w.Edit486->Visible());
    EXPECT_FALSE(w.Edit457->Visible());
    EXPECT_EQ(w.Edit352->Left(), w.Edit40->Left());
    EXPECT_EQ(w.Edit24->Text(), "19.11.04");
    EXPECT_EQ(w.Edit434->Text(), "553113F5");
    EXPECT_EQ(w.Edit20->Text(), "TIVAR 2");
    EXPECT_EQ(w.Memo3->Lines().Count(), 2);

    w.LayoutBase = 8;
    w.SetTaxiNovitius();
    EXPECT_EQ(w.MeterFamily, 0);
    EXPECT_EQ(w.LayoutBase, 0);
    EXPECT_FALSE(w.Label219->Visible());
    EXPECT_EQ(w.Panel158->Caption(), "Tar.5-8");
    EXPECT_FALSE(w.TariffJdoplEdits[0]->Visible());
    EXPECT_TRUE(w.Edit112->Visible());
    EXPECT_FALSE(w.Panel317->Visible());
    EXPECT_FALSE(w.Edit486->Visible());
    EXPECT_TRUE(w.Edit111->Visible());
    EXPECT_EQ(Captions(), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
}

TEST_F(Presets, PresetActsOnlyOnAChangeOfFamily) {
    TForm1 &w = *window;
    w.SetTaxiTivar();
    w.Edit24->SetText("edited");
    w.TariffParamEdits[9]->SetText("1.20");
    w.SetTaxiTivar();
    EXPECT_EQ(w.Edit24->Text(), "edited");
    EXPECT_EQ(w.TariffParamEdits[9]->Text(), "1.20");

    w.SetTaxiNovitius();  // a change clears the tariffs
    EXPECT_EQ(w.TariffParamEdits[9]->Text(), "---");
    w.Edit20->SetText("typ");
    w.LayoutBase = 8;
    w.SetTaxiNovitius();
    EXPECT_EQ(w.Edit20->Text(), "typ");
    EXPECT_EQ(w.LayoutBase, 8);
}

TEST_F(Presets, SwitchInAWorkingModeRestartsTheRecordButKeepsTheCounters) {
    TForm1 &w = *window;
    w.Legalizacja(1);
    w.LicznikiKeep = {11, 22, 33};
    w.TariffPageCode = {'A', 'C', 0, 0};
    w.LegResetPending = 1;
    w.SetTaxiTivar();
    EXPECT_EQ(w.LicznikiKeep, (std::array<int32_t, 3>{11, 22, 33}));
    EXPECT_TRUE(TForm1::Lit(w.Panel162));
}

TEST_F(Presets, ClearingTheGeneralDataBlanksAndEnablesTheIdentity) {
    TForm1 &w = *window;
    for (TEdit *edit : {w.Edit20, w.Edit457, w.Edit107, w.Edit28, w.Edit12}) {
        edit->SetText("x");
        edit->SetEnabled(false);
    }
    w.UsunDaneOgolne();
    EXPECT_EQ(w.Edit20->Text(), "---");
    EXPECT_TRUE(w.Edit20->Enabled());
    EXPECT_EQ(w.Edit457->Text(), "--");
    EXPECT_EQ(w.Edit107->Text(), "---");
    EXPECT_TRUE(w.Edit12->Enabled());
    EXPECT_EQ(w.Edit12->Text(), "S");  // kept (an "x" typed into it became "S")
    EXPECT_EQ(w.Edit28->Text(), "---");
    EXPECT_FALSE(w.Edit28->Enabled());
}

struct OwnHalfCase {
    int page, half;
    std::array<uint8_t, 4> codes;
    QStringList captions;  // the eight buttons, "" where hidden
    QString pageCode;
};

TEST_F(Presets, OwnFamilyNamesTariffsByPageLetterAndPlace) {
    TForm1 &w = *window;
    w.SetTaxiTivar();
    const OwnHalfCase cases[] = {
        {1, 1, {'A', 'C', 'E', 'H'}, {"A1", "A2", "A3", "A4", "", "", "", ""}, "A"},
        {1, 0, {'A', 'C', 'E', 'H'}, {"", "", "", "", "C1", "C2", "C3", "C4"}, "C"},
        {2, 1, {'A', 'C', 'E', 'H'}, {"E1", "E2", "E3", "E4", "", "", "", ""}, "E"},
        {2, 0, {'A', 'C', 'E', 'F'}, {"", "", "", "", "F1", "F2", "F3", "F4"}, "F"},
        {1, 1, {'B', 'C', 0, 0}, {"---", "---", "---", "---", "", "", "", ""}, "---"},
        {2, 0, {0, 0, 0, 'G'}, {"", "", "", "", "---", "---", "---", "---"}, "---"},
    };
    for (const OwnHalfCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << c.page << " half " << c.half);
        w.TariffPageCode = c.codes;
        w.SetPaneleTaryf(1, c.page, c.half);
        QStringList shown;
        for (TPanel *button : w.TariffSelPanels) shown << (button->Visible() ? button->Caption() : "");
        EXPECT_EQ(shown, c.captions);
        EXPECT_EQ((c.half == 1 ? w.Panel320 : w.Panel319)->Caption(), c.pageCode);
        EXPECT_EQ((c.half == 1 ? w.Label267 : w.Label269)->Caption(), c.captions[c.half == 1 ? 0 : 4]);
    }
}

TEST_F(Presets, ResultsAndCountersPagesShowTheLayoutLetters) {
    TForm1 &w = *window;
    w.SetTaxiTivar();
    const struct {
        std::array<uint8_t, 4> codes;
        int half;
        QString layout, first, fifth;
    } cases[] = {
        {{'A', 'C', 'E', 'H'}, 1, "A-C", "A1", "C1"},
        {{'A', 'C', 'E', 'H'}, 0, "E-H", "E1", "H1"},
        {{'A', 0, 0, 0}, 1, "A--", "A1", "---"},
        {{0, 0, 0, 0}, 1, "---", "---", "---"},
    };
    for (const auto &c : cases) {
        w.TariffPageCode = c.codes;
        w.SetPaneleTaryf(1, 3, c.half);
        EXPECT_EQ(w.Panel318->Caption(), c.layout);
        EXPECT_EQ(w.Panel317->Caption(), c.layout);
        EXPECT_EQ(w.TariffSelPanels[0]->Caption(), c.first);
        EXPECT_EQ(w.TariffSelPanels[4]->Caption(), c.fifth);
        for (TPanel *button : w.TariffSelPanels) EXPECT_TRUE(button->Visible());
    }
}

TEST_F(Presets, LayoutChangeHidesButtonsAndShowsTheViewedLayoutsLetters) {
    TForm1 &w = *window;
    w.SetTaxiTivar();
    w.TariffPageCode = {'A', 'C', 'E', 'H'};
    w.LayoutPageCodes = {'F', 'F', 'F', 'F', 'H', 'E', 'C', 'A'};
    w.Panel342->SetColor(clWhite);
    for (const auto &[view, letter] : {std::pair<uint8_t, QString>{0, "F"}, {1, "E"}}) {
        w.ZmianaView = view;
        w.SetPaneleTaryf(1, 1, 0);
        EXPECT_EQ(w.Panel319->Caption(), letter);
        EXPECT_EQ(w.Label272->Caption(), letter + "4");
        for (TPanel *button : w.TariffSelPanels) EXPECT_FALSE(button->Visible());
    }
}

TEST_F(Presets, NovitiusNumbersTariffsAndKeepsOneInitialFeePerGroup) {
    TForm1 &w = *window;
    for (TPanel *button : w.TariffSelPanels) button->Hide();
    w.SetPaneleTaryf(0, 0, 1);
    EXPECT_EQ(Captions(), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
    for (TPanel *button : w.TariffSelPanels) EXPECT_FALSE(button->Visible());
    EXPECT_TRUE(w.Edit352->Visible());
    EXPECT_EQ(w.Edit352->Left(), w.Edit98->Left());
    EXPECT_FALSE(w.Edit1->Visible());
    EXPECT_FALSE(w.Edit6->Visible());

    w.SetPaneleTaryf(0, 2, 1);
    EXPECT_FALSE(w.TariffSelPanels[0]->Visible());
    EXPECT_TRUE(w.TariffSelPanels[7]->Visible());
    EXPECT_EQ(w.Label272->Caption(), "8");
    w.SetPaneleTaryf(0, 1, 1);
    EXPECT_TRUE(w.TariffSelPanels[3]->Visible());
    EXPECT_FALSE(w.TariffSelPanels[4]->Visible());
}

TEST_F(Presets, EnablePanelsToggleTheFlagOfTheLayoutShown) {
    TForm1 &w = *window;
    w.EnableTaryfy(true);  // the tariff pages open for editing
    for (TPanel *panel : w.TariffActivePanels) panel->SetColor(clWhite);
    w.LayoutBase = 8;
    w.TariffEnabledFlags[2] = 1;
    w.Panel14->Click();
    EXPECT_EQ(w.TariffEnabledFlags[10], 1);
    EXPECT_EQ(w.Panel14->Color(), clBlack);
    w.Panel14->Click();
    EXPECT_EQ(w.TariffEnabledFlags[10], 0);
    EXPECT_EQ(w.Panel14->Color(), clWhite);
    EXPECT_EQ(w.TariffEnabledFlags[2], 1);

    w.LayoutBase = 0;
    w.Panel19->Click();
    EXPECT_EQ(w.TariffEnabledFlags[7], 1);
    w.Panel16->SetColor(clBtnShadow);  // any colour but white counts as set
    w.Panel16->Click();
    EXPECT_EQ(w.Panel16->Color(), clWhite);
    EXPECT_EQ(w.TariffEnabledFlags[4], 0);
}

TEST_F(Presets, PaintingAnEnablePanelLeavesTheFlagToTheRecalculation) {
    TForm1 &w = *window;
    w.EnableTaryfy(true);  // the tariff pages open for editing
    for (TPanel *panel : w.TariffActivePanels) panel->SetColor(clWhite);
    w.SetPanelAktywna(3);
    EXPECT_EQ(w.Panel15->Color(), clBlack);
    EXPECT_EQ(w.TariffEnabledFlags[3], 0);
    w.Panel15->Click();
    EXPECT_EQ(w.Panel15->Color(), clWhite);
    for (int8_t outside : {int8_t{8}, int8_t{-1}}) w.SetPanelAktywna(outside);
    for (TPanel *panel : w.TariffActivePanels) EXPECT_EQ(panel->Color(), clWhite);
}

}  // namespace
