// The saved-jobs screen of the main window: search edits, list pages and hiding.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <map>

#include "app/main_window_fixture.h"
#include "storage/job_save.h"

namespace {

class WindowJobList : public MainWindowTest {
protected:
    void SetUp() override { window = &Create(); }
    // Adds job records holding `texts` each.
    void AppendJobs(const std::vector<std::map<int, std::string>> &jobs) {
        TTable &table = *window->Table1;
        table.Open();
        for (const auto &texts : jobs) {
            table.Append();
            for (const auto &[field, text] : texts) table.Fields()[field].SetAsString(text);
            table.Post();
        }
        table.Close();
    }
    QString Cell(int column, int row) const {
        return window->JobListLabels[static_cast<size_t>(20 * column + row)]->Caption();
    }

    TForm1 *window = nullptr;
};

TEST_F(WindowJobList, ClickingASearchEditActivatesItAndAnEmptyOneGetsItsHintBack) {
    TForm1 &w = *window;
    EXPECT_EQ(w.Edit467->Text(), "nr wniosku...");
    w.Edit467->Click();
    EXPECT_EQ(w.Edit467->Text(), "");
    EXPECT_EQ(w.Edit467->Color(), clWhite);
    EXPECT_EQ(w.Edit467->Font().Color(), clBlack);
    EXPECT_EQ(w.Edit467->Font().Style(), 0u);
    EXPECT_EQ(w.JobListFilterMode, 1);

    w.Edit467->SetText("Z/");
    w.Edit467->Click();  // an active edit keeps its text
    EXPECT_EQ(w.Edit467->Text(), "Z/");

    w.Edit472->Click();  // the other edit empty: it goes back to its hint when a third is clicked
    w.Edit467->SetText("");
    w.Edit466->Click();
    for (TEdit *edit : {w.Edit467, w.Edit472}) {
        EXPECT_EQ(edit->Text(), edit->Hint()) << edit->Hint().toStdString();
        EXPECT_EQ(edit->Font().Color(), clGray);
        EXPECT_EQ(edit->Font().Style(), static_cast<TFontStyles>(fsItalic));
    }
    EXPECT_EQ(w.JobListFilterMode, 1);  // Edit466 is active
    w.Edit466->SetText("");
    w.UpdateEditSzukaj(-1);
    EXPECT_EQ(w.JobListFilterMode, 0);
}

TEST_F(WindowJobList, AFilteredPageFillsTheRowsAndKeepsItsStart) {
    TForm1 &w = *window;
    AppendJobs({{{7, "SN1"}, {26, "A/1"}, {30, "d1"}, {31, "o1"}, {242, "v1\r\n"}},
                {{7, "SN2"}, {26, "Z/2"}, {30, "d2"}, {31, "o2"}, {242, "v2\r\nx\r\n"}},
                {{7, "SN3"}, {26, "Z/3"}, {30, "d3"}, {31, "o3"}}});
    w.Edit467->Click();
    w.Edit467->SetText("Z/");
    w.JobListPage = 0;
    w.JobListCursor = 0;
    w.ReadDB(0, w.JobListFilterMode);
    const std::vector<std::vector<QString>> expected{{"1.", "d2", "SN2", "nr zlec. Z/2", "v2"},
                                                     {"2.", "d3", "SN3", "nr zlec. Z/3", ""}};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(Cell(column, row), expected[static_cast<size_t>(row)][static_cast<size_t>(column)])
                << row << "/" << column;
    EXPECT_EQ(w.JobListRecNo[0], 2);
    EXPECT_EQ(w.JobListRecNo[1], 3);
    EXPECT_EQ(w.JobListPageStart.at(0), 1);
    EXPECT_EQ(w.JobListCursor, 3);
    EXPECT_EQ(w.JobListFull, 0);
    EXPECT_FALSE(w.Table1->Active());
}

TEST_F(WindowJobList, AHiddenJobLeavesTheUnfilteredList) {
    TForm1 &w = *window;
    AppendJobs({{{7, "SN1"}}, {{7, "SN2"}}});
    w.HideRec(1);
    w.JobListPage = 1;  // rows are numbered by the page
    w.ReadDB(0, 0);
    EXPECT_EQ(Cell(0, 0), "21.");
    EXPECT_EQ(Cell(2, 0), "SN2");
    EXPECT_EQ(w.JobListRecNo[0], 2);
    EXPECT_EQ(w.JobListPageStart.at(1), 0);
    EXPECT_THROW(w.HideRec(5), EDatabaseError);
    EXPECT_FALSE(w.Table1->Active());
}

// The search keeps up with the window's saves and hides between two searches.
TEST_F(WindowJobList, ASearchFindsAJobSavedSinceAndLosesAJobHiddenSince) {
    TForm1 &w = *window;
    AppendJobs({{{7, "SN1"}}, {{7, "XX2"}}});
    w.Edit466->Click();
    w.Edit466->SetText("SN");
    const auto search = [&w] {
        w.JobListPage = 0;
        w.JobListCursor = 0;
        std::fill(w.JobListRecNo.begin(), w.JobListRecNo.end(), 0);
        w.ReadDB(0, w.JobListFilterMode);
        return std::vector<int>(w.JobListRecNo.begin(), w.JobListRecNo.begin() + 3);
    };
    EXPECT_EQ(search(), (std::vector<int>{1, 0, 0}));

    storage::JobRecord job = w.CollectJob();
    job[storage::kGenData][7] = std::string("SN3");
    EXPECT_EQ(storage::SaveJob(TTable::Session(), w.JobTables(), job, {}), 3);
    EXPECT_EQ(search(), (std::vector<int>{1, 3, 0}));

    w.HideRec(1);
    EXPECT_EQ(search(), (std::vector<int>{3, 0, 0}));
    EXPECT_EQ(Cell(2, 0), "SN3");
}

// Jobs saved before the program starts are searched at once: the first search waits for the index
// read ahead, if it must, and lists exactly the matching jobs; the window is open to input again.
TEST_F(WindowJobList, ASearchRightAfterTheStartListsTheJobsSavedBefore) {
    tables::TTable &genData = window->Table1->Table();
    genData.Open();
    {
        tables::TransactionScope transaction(TTable::Session(), {&genData});
        for (int n = 1; n <= 3000; ++n) {
            genData.Append();
            genData.Fields[7].SetAsString((n % 500 == 1 ? "FIND" : "SN") + std::to_string(n));
            genData.Post();
        }
        transaction.Commit();
    }
    genData.Close();
    TForm1 &w = Create();  // the program started again
    window = &w;
    w.Edit466->Click();
    w.Edit466->SetText("FIND");
    w.FirstJobPage();
    EXPECT_EQ(std::vector<int>(w.JobListRecNo.begin(), w.JobListRecNo.begin() + 7),
              (std::vector<int>{1, 501, 1001, 1501, 2001, 2501, 0}));
    EXPECT_EQ(Cell(2, 5), "FIND2501");
    EXPECT_TRUE(w.Enabled());
}

}  // namespace
