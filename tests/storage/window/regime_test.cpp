// The regime button, the layout switches of the tariff screen, and what a loaded job derives from
// its stored values.
#include <gtest/gtest.h>

#include "app/screen_clicks.h"
#include "app/shell_fixture.h"
#include "storage/job_layout.h"

namespace {

using namespace evaluation;

class RegimeAndLayouts : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        window = &Create();
        window->Show();
    }
    void Click(TControl *panel) {
        BringOnScreen(panel);
        ClickOnScreen(*window, panel);
        gui::AdvanceTime(200);
    }
    // Saves the window's job with `changes` made to its records and loads it back.
    void SaveChangedAndLoad(const std::vector<std::tuple<int, int, storage::FieldValue>> &changes) {
        storage::JobRecord job = window->CollectJob();
        for (const auto &[table, field, value] : changes) job[static_cast<size_t>(table)][field] = value;
        window->ReadRec(storage::SaveJob(TTable::Session(), window->JobTables(), job, {}));
    }
    TForm1 *window = nullptr;
};

TEST_F(RegimeAndLayouts, TheRegimeButtonTogglesTheRegimeAndShowsOwnFamilyJobsAsNovitius) {
    TForm1 &w = *window;
    ASSERT_EQ(w.ApprovalRegime, 1);
    w.CurrentTariff = 3;
    w.TariffJdoplEdits[0]->SetText("1,00");
    w.TariffPanelEdits[8 * kOpw + 2]->SetText("0,20");
    Click(w.Panel13);
    EXPECT_EQ(w.ApprovalRegime, 0);
    EXPECT_EQ(w.Panel13->Caption(), "ZT");
    for (TEdit *edit : {w.Edit23, w.Edit20, w.Edit24, w.Edit434, w.Edit21}) {
        EXPECT_EQ(edit->Text(), "---") << edit->Name().toStdString();
        EXPECT_TRUE(edit->Enabled());
    }
    for (TEdit *edit : {w.Edit12, w.Edit108}) {
        EXPECT_EQ(edit->Text(), "S");
        EXPECT_FALSE(edit->Enabled());
        EXPECT_FALSE(edit->Visible());
    }
    EXPECT_EQ(w.Edit25->Text(), "OSTATNIA AKTYWNA");
    EXPECT_EQ(w.TariffJdoplEdits[0]->Text(), "1,00");  // ZT leaves the surcharge and free-running edits
    EXPECT_EQ(w.TariffPanelEdits[8 * kOpw + 2]->Text(), "0,20");
    EXPECT_EQ(w.CurrentTariff, 3);
    EXPECT_EQ(w.TariffSelPanels[3]->Color(), clWhite);

    w.SetTaxiTivar();
    Click(w.Panel13);
    EXPECT_EQ(w.MeterFamily, 0) << "the button shows an own-family job as NOVITIUS first";
    EXPECT_EQ(w.ApprovalRegime, 1);
    EXPECT_EQ(w.Panel13->Caption(), "MID");
    EXPECT_EQ(w.Edit20->Text(), "---");
    EXPECT_TRUE(w.Edit12->Visible());
    EXPECT_TRUE(w.Edit108->Enabled());
    EXPECT_TRUE(w.Edit108->Visible());
    EXPECT_EQ(w.TariffJdoplEdits[0]->Text(), "---");
    EXPECT_EQ(w.TariffPanelEdits[8 * kOpw + 2]->Text(), "---");

    // MID for the own family puts its identity back; the change procedure hides the calculation mode.
    w.SetTaxiTivar();
    w.Panel342->SetColor(clWhite);
    w.SetTaksometr(false);
    EXPECT_EQ(w.Edit20->Text(), "TIVAR 2");
    EXPECT_EQ(w.Edit24->Text(), "19.11.04");
    EXPECT_FALSE(w.Edit108->Visible());
}

TEST_F(RegimeAndLayouts, TheLayoutSwitchesShowTheOtherHalfOrLayout) {
    TForm1 &w = *window;
    w.SetTaxiTivar();
    w.TariffPageCode = {'A', 'C', 'E', 'H'};
    Click(w.Panel157);  // "Tar." of the first layout
    Click(w.Panel320);  // to tariffs 5-8
    EXPECT_FALSE(w.Panel240->Visible());
    EXPECT_TRUE(w.Panel242->Visible());
    EXPECT_EQ(w.CurrentTariff, 4);
    EXPECT_EQ(w.TariffSelPanels[4]->Caption(), "C1");
    EXPECT_EQ(w.Panel319->Caption(), "C");
    Click(w.Panel319);  // back to tariffs 1-4
    EXPECT_TRUE(w.Panel240->Visible());
    EXPECT_FALSE(w.Panel242->Visible());
    EXPECT_EQ(w.CurrentTariff, 0);

    struct Case {
        TPanel *TForm1::*panel;
        int layoutBase;
        QString code;
    };
    const Case cases[] = {{&TForm1::Panel318, 8, "E-H"},
                          {&TForm1::Panel318, 0, "A-C"},
                          {&TForm1::Panel317, 8, "E-H"},
                          {&TForm1::Panel317, 0, "A-C"}};
    for (const Case &c : cases) {
        Click(w.*c.panel);
        EXPECT_EQ(w.LayoutBase, c.layoutBase);
        EXPECT_EQ(w.Panel317->Caption(), c.code);
        EXPECT_EQ(w.CurrentTariff, 0);
        EXPECT_EQ(w.TariffSelPanels[0]->Color(), clWhite);
    }
}

TEST_F(RegimeAndLayouts, ALoadedJobDerivesItsFactorsStationConstantAndRelativeDistances) {
    TForm1 &w = *window;
    using storage::kAddInt64;
    using storage::kGenData;
    using storage::kLicznikiD;
    using storage::kWynikiC;
    struct Case {
        const char *name;
        std::string k, keptSt, stationConst;
        int32_t vehicleResults;
        uint32_t expectedSt;
        std::string row0, row1;  // relative-to-k distances of slot 0, rows 0 and 1
    };
    const Case cases[] = {
        {"k and St", "1000", "2000", "1500", 1, 2000, "200,000", "---"},
        {"St taken from the slot", "1000", "x", "1500", 1, 1500, "150,000", "---"},
        {"no St anywhere", "1000", "x", "---", 1, 0, "0,000", "---"},
        {"St only with vehicle results", "1000", "", "1500", 0, 0, "0,000", "---"},
        {"no k", "---", "2000", "1500", 1, 2000, "---", "---"},
        {"k of zero", "0", "2000", "1500", 1, 2000, "---", "---"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SaveChangedAndLoad({{kAddInt64, 55, int32_t{1}},
                            {kAddInt64, 18, c.vehicleResults},
                            {kAddInt64, 2, int32_t{12345}},
                            {kAddInt64, 3, int32_t{-9}},
                            {kGenData, 10, c.k},
                            {kGenData, 57, c.stationConst},
                            {kLicznikiD, 161, c.keptSt},
                            {kWynikiC, 2, std::string("100")},
                            {kWynikiC, 3, std::string("")}});
        EXPECT_EQ(w.CalcRelativeToK, 1);
        EXPECT_FLOAT_EQ(w.SlotFactor[0], 12.345f);
        EXPECT_FLOAT_EQ(w.SlotFactor[1], -0.009f);
        EXPECT_EQ(static_cast<uint32_t>(w.LicznikiKeep[2]), c.expectedSt);
        EXPECT_EQ(w.FareRowStore[kDistanceNom][0][1], "---");  // an empty cell shows "---"
        EXPECT_EQ(w.FareRowStore[kRelativeToK][0][0], c.row0);
        EXPECT_EQ(w.FareRowStore[kRelativeToK][0][1], c.row1);
    }
}

TEST_F(RegimeAndLayouts, AJobShowsInItsFamilyAndRegime) {
    TForm1 &w = *window;
    struct Case {
        int32_t family, zt;
        uint8_t shownFamily;
        QString regime, tabCaption;
    };
    const Case cases[] = {{1, 0, 1, "MID", "Tar.A-C"},
                          {1, 1, 1, "ZT", "Tar.A-C"},
                          {0, 1, 0, "ZT", "Tar.1-4"},
                          {0, 0, 0, "MID", "Tar.1-4"},
                          {1, 0, 1, "MID", "Tar.A-C"}};
    w.TariffPageCode = {'A', 'C', 'E', 'H'};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.family * 10 + c.zt);
        // The window is changed under the preset, which the load runs in full all the same.
        w.Panel157->SetCaption("zzz");
        SaveChangedAndLoad({{storage::kGenData, 2, std::string("ACEH")},
                            {storage::kGenData, 44, c.family},
                            {storage::kAddInt64, 19, c.zt}});
        EXPECT_EQ(w.MeterFamily, c.shownFamily);
        EXPECT_EQ(w.ApprovalRegime, c.zt == 0 ? 1 : 0);
        EXPECT_EQ(w.Panel13->Caption(), c.regime);
        EXPECT_EQ(w.Panel157->Caption(), c.tabCaption);
        EXPECT_TRUE(w.RadioButton2->Checked());
        EXPECT_FALSE(TForm1::Lit(w.Panel162));
    }
}

}  // namespace
