// The pages of the main screen: the panels each page shows, the tariff layout it addresses and the
// test it shows.
#include <map>
#include <set>

#include "tests/app/shell_fixture.h"

namespace {

using PagesTest = ShellTest;

// The panels every page manages, by name; "buttons N" for N visible tariff buttons.
std::set<std::string> ShownPanels(TForm1 &w) {
    const std::map<std::string, TControl *> managed = {
        {"241", w.Panel241}, {"240", w.Panel240}, {"242", w.Panel242}, {"243", w.Panel243},
        {"244", w.Panel244}, {"245", w.Panel245}, {"289", w.Panel289}, {"394", w.Panel394},
        {"378", w.Panel378}, {"344", w.Panel344}, {"343", w.Panel343}, {"Label120", w.Label120},
        {"126", w.Panel126}, {"127", w.Panel127}, {"8", w.Panel8}};
    std::set<std::string> shown;
    for (const auto &[name, control] : managed)
        if (control->Visible()) shown.insert(name);
    int buttons = 0;
    for (TPanel *button : w.TariffSelPanels) buttons += button->Visible();
    if (buttons > 0) shown.insert("buttons " + std::to_string(buttons));
    return shown;
}

TEST_F(PagesTest, EachPageShowsItsPanelsWithTheLayoutChangeOffAndOn) {
    struct Case {
        int page;
        bool procedureOn;
        std::set<std::string> shown;
    };
    const Case cases[] = {
        {0, false, {"241"}},
        {1, false, {"240", "Label120", "buttons 4"}},
        {2, false, {"242", "Label120", "buttons 4"}},
        {3, false, {"243", "126", "127", "Label120", "buttons 8"}},
        {4, false, {"244", "Label120", "buttons 8"}},
        {5, false, {"245"}},
        {6, false, {"289"}},
        {7, false, {"394"}},
        {0, true, {"241"}},
        {1, true, {"240", "343"}},
        {2, true, {"242", "343"}},
        {3, true, {"378"}},
        {4, true, {"244"}},
        {5, true, {"245"}},
        {6, true, {"344"}},
        {7, true, {"394"}},
    };
    TForm1 &w = Create();
    w.Edit108->SetText("N");
    for (const Case &c : cases) {
        TForm1::SetLit(w.Panel342, c.procedureOn);
        w.PageFunction(0);
        w.PageFunction(c.page);
        EXPECT_EQ(ShownPanels(w), c.shown) << "page " << c.page << (c.procedureOn ? " in the layout change" : "");
    }
}

TEST_F(PagesTest, APageOutsideTheEightChangesNothing) {
    TForm1 &w = Create();
    w.PageFunction(3);
    const std::set<std::string> before = ShownPanels(w);
    w.JobListFull = 0;
    for (int page : {-1, 8, 14}) {
        w.PageFunction(page);
        EXPECT_EQ(ShownPanels(w), before) << page;
    }
    EXPECT_EQ(w.JobListFull, 0);
    w.PageFunction(0);
    EXPECT_EQ(w.JobListFull, 1) << "the parameters page lets '>' on the job list through once";
}

TEST_F(PagesTest, TheSecondTariffPageOfTheOwnFamilyShowsTheSecondLayoutOnTheFirstPanel) {
    TForm1 &w = Create();
    w.PageFunction(2);
    EXPECT_EQ(w.LayoutBase, 0);
    EXPECT_EQ(w.CurrentTariff, 4) << "NOVITIUS: tariffs 5-8 of the first layout";
    w.MeterFamily = 1;
    w.PageFunction(2);
    EXPECT_EQ(w.LayoutBase, 8);
    EXPECT_TRUE(w.Panel240->Visible());
    EXPECT_FALSE(w.Panel242->Visible());
    EXPECT_EQ(w.CurrentTariff, 0);
    EXPECT_EQ(w.TariffSelPanels[0]->Color(), clWhite);
    w.PageFunction(1);
    EXPECT_EQ(w.LayoutBase, 0);
}

TEST_F(PagesTest, TheResultsPageShowsTheTimeTestOfTheCurrentSlot) {
    TForm1 &w = Create();
    w.FareRowStore[evaluation::kTimeNom][0][2] = "12,5";
    w.FareGridStore[evaluation::kTimeTest][evaluation::kUnits][0][2] = "7";
    w.PageFunction(3);
    EXPECT_EQ(w.Label336->Caption(), "OBLICZANIE OPŁATY Z CZASU");
    EXPECT_EQ(w.Panel126->Caption(), "* czas");
    EXPECT_EQ(w.FareGridColumns[2]->Text(), "12,5");
    EXPECT_EQ(w.FareGridColumns[26 + 2]->Text(), "7");
    EXPECT_EQ(w.CurrentTariff, 0);
    EXPECT_EQ(w.RecalcGuard, 1);
    EXPECT_FALSE(w.Panel8->Visible()) << "\"USUŃ wyniki\" only in the setting mode";
    TForm1::SetLit(w.Panel163, true);
    w.PageFunction(3);
    EXPECT_TRUE(w.Panel8->Visible());
}

TEST_F(PagesTest, TheCountersPageKeepsTheTestChoiceOnlyInModeS) {
    TForm1 &w = Create();
    w.FareRowStore[evaluation::kDistanceNom][0][0] = "100";
    w.Edit108->SetText("S");
    w.PageFunction(4);
    EXPECT_TRUE(w.Panel126->Visible());
    EXPECT_TRUE(w.Panel127->Visible());
    EXPECT_EQ(w.Label336->Caption(), "OBLICZANIE OPŁATY Z CZASU") << "the grid stays as it was";

    w.Edit108->SetText("N");
    w.PageFunction(4);
    EXPECT_FALSE(w.Panel126->Visible());
    EXPECT_FALSE(w.Panel127->Visible());
    EXPECT_EQ(w.Label336->Caption(), "OBLICZANIE OPŁATY Z DROGI");
    EXPECT_EQ(w.Panel127->Caption(), "* droga");
    EXPECT_EQ(w.FareGridColumns[0]->Text(), "100");
}

TEST_F(PagesTest, TheCountersPageFollowsADistanceTestAlsoInTheLayoutChange) {
    TForm1 &w = Create();
    w.ZmianaUkladow(1);
    w.Edit108->SetText("S");
    w.PageFunction(4);
    EXPECT_EQ(w.Label336->Caption(), "OBLICZANIE OPŁATY Z CZASU") << "no distance test run yet";
    w.DistanceTestDone = 1;
    w.PageFunction(4);
    EXPECT_EQ(w.Label336->Caption(), "OBLICZANIE OPŁATY Z DROGI");
}

TEST_F(PagesTest, ATabPressShowsItsPageAndSelectsItsTab200MsLater) {
    TForm1 &w = Create();
    TPanel *const tabs[] = {w.Panel156, w.Panel157, w.Panel158, w.Panel159, w.Panel160, w.Panel161, w.Panel9};
    for (int page : {5, 1, 6, 3, 0, 4, 2}) {
        tabs[page]->Click();
        EXPECT_EQ(tabs[page]->BevelOuter(), bvLowered);
        gui::AdvanceTime(199);
        EXPECT_NE(w.CurrentPage, page) << "not before 200 ms";
        gui::AdvanceTime(1);
        EXPECT_EQ(w.CurrentPage, page);
        EXPECT_EQ(tabs[page]->BevelOuter(), bvRaised);
        for (int tab = 0; tab < 7; ++tab) {
            EXPECT_EQ(tabs[tab]->Color(), tab == page ? clWhite : clNavy) << page << " " << tab;
            EXPECT_EQ(tabs[tab]->Font().Color(), tab == page ? clBlack : clWhite) << page << " " << tab;
        }
    }
    EXPECT_TRUE(w.Panel242->Visible()) << "the last tab pressed: Tar.5-8";
}

}  // namespace
