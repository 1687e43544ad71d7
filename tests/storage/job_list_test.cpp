#include "storage/job_list.h"
#include "storage/job_search.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>

#include "platform/runtime/errors.h"
#include "storage/job_load.h"
#include "tests/storage/damaged_record.h"
#include "tests/storage/job_tables_fixture.h"

using storage::JobListPage;
using storage::SearchTexts;

namespace {

class JobList : public JobTablesFixture {
protected:
    // Adds job records holding `texts` each, in one transaction: the list reads the job table only.
    void AppendJobs(const std::vector<std::map<int, std::string>> &jobs) {
        tables::TTable &genData = *jobTables[storage::kGenData];
        genData.Open();
        tables::TransactionScope transaction(session, {&genData});
        for (const auto &texts : jobs) {
            genData.Append();
            for (const auto &[field, text] : texts) genData.Fields[field].SetAsString(text);
            genData.Post();
        }
        transaction.Commit();
        genData.Close();
    }
    void AppendNumbered(int count) {
        std::vector<std::map<int, std::string>> jobs;
        for (int i = 1; i <= count; ++i) jobs.push_back({{7, "SN" + std::to_string(i)}});
        AppendJobs(jobs);
    }
    JobListPage Page(int start, const SearchTexts *filter = nullptr) {
        tables::TTable &genData = *jobTables[storage::kGenData];
        genData.Open();
        JobListPage page = storage::ReadJobPage(genData, start, filter);
        genData.Close();
        return page;
    }
    void Hide(int recNo) {
        tables::TTable &genData = *jobTables[storage::kGenData];
        genData.Open();
        storage::HideJob(genData, recNo);
        genData.Close();
    }
    static std::vector<int> RecNos(const JobListPage &page) {
        std::vector<int> numbers;
        for (const storage::JobListRow &row : page.rows) numbers.push_back(row.recNo);
        return numbers;
    }
};

// The search as a scan of the job table, reading each record's fields: the index must list the
// same pages.
JobListPage ScannedSearch(tables::TTable &genData, int start, const SearchTexts &filter) {
    constexpr int kTestOrder[] = {0, 1, 2, 3, 6, 7, 4, 5};
    const char *const prefixes[] = {"", "", "nr zlec. ", "data zlec. ", "zgłasz. ", "Osoba wyk. ", "vin. ", "nr rej. "};
    const auto firstLine = [](const std::string &text) { return text.substr(0, text.find_first_of("\r\n")); };
    JobListPage page;
    if (genData.RecordCount() <= start) return page;
    genData.SetRecNo(start);
    for (genData.Next(); !genData.Eof(); genData.Next()) {
        ++page.visited;
        if (genData.Fields[47].AsString() == "1") continue;
        std::string description;
        bool matches = true;
        for (const int edit : kTestOrder) {
            const std::optional<std::string> &pattern = filter[static_cast<size_t>(edit)];
            if (!pattern) continue;
            const std::string text = genData.Fields[storage::SearchFieldOf(edit)].AsString();
            bool found = false;
            for (size_t at = 0; at < text.size() && !found; ++at) found = text.substr(at, pattern->size()) == *pattern;
            if (!found) {
                matches = false;
                break;
            }
            if (*prefixes[edit] && description.empty()) description = prefixes[edit] + (edit == 4 ? firstLine(text) : text);
        }
        if (!matches) continue;
        if (page.rows.empty()) page.pageStart = genData.RecNo() - 1;
        page.rows.push_back({genData.RecNo(), genData.Fields[30].AsString(), genData.Fields[7].AsString(),
                             description.empty() ? genData.Fields[31].AsString() : description,
                             firstLine(genData.Fields[242].AsString())});
        if (page.rows.size() == 20) {
            page.full = true;
            break;
        }
    }
    return page;
}

std::vector<int> Range(int from, int to) {
    std::vector<int> numbers;
    for (int n = from; n <= to; ++n) numbers.push_back(n);
    return numbers;
}

TEST(JobListText, ContainsIsByteExactAndAnEmptyTextHoldsNothing) {
    struct Case {
        const char *text, *pattern;
        bool found;
    } const cases[] = {
        {"ABC123", "C12", true}, {"ABC123", "abc", false}, {"ABC", "ABCD", false}, {"ABC", "BC", true},
        {"x", "", true},         {"", "", false},          {"", "a", false},      {"żółw", "ół", true},
    };
    for (const Case &c : cases) EXPECT_EQ(storage::CzyZawieraText(c.text, c.pattern), c.found) << c.text << "/" << c.pattern;
}

TEST_F(JobList, PagesOfTwentySkipHiddenJobsAndCountEveryVisitedRecord) {
    AppendNumbered(22);
    Hide(5);
    JobListPage first = Page(0);
    std::vector<int> expected = Range(1, 21);
    expected.erase(expected.begin() + 4);
    EXPECT_EQ(RecNos(first), expected);
    EXPECT_TRUE(first.full);
    EXPECT_EQ(first.visited, 21);
    EXPECT_EQ(first.pageStart, 0);
    EXPECT_EQ(first.rows[0].serial, "SN1");

    const JobListPage second = Page(first.visited);
    EXPECT_EQ(RecNos(second), std::vector<int>{22});
    EXPECT_FALSE(second.full);
    EXPECT_EQ(second.visited, 1);
    EXPECT_EQ(second.pageStart, 21);
}

TEST_F(JobList, ExactlyTwentyJobsFillOnePageAndTheNextReadFindsNothing) {
    AppendNumbered(20);
    const JobListPage first = Page(0);
    EXPECT_EQ(RecNos(first), Range(1, 20));
    EXPECT_TRUE(first.full);
    const JobListPage after = Page(first.visited);
    EXPECT_TRUE(after.rows.empty());
    EXPECT_FALSE(after.full);
    EXPECT_EQ(after.visited, 0);
    EXPECT_FALSE(after.pageStart);
}

TEST_F(JobList, RowsShowDateSerialDescriptionAndFirstVersionLine) {
    AppendJobs({{{30, "2026-12-01"}, {7, "SN9"}, {31, "OPIS 1"}, {242, "v2\r\nlater\r\n"}}});
    const storage::JobListRow row = Page(0).rows.at(0);
    EXPECT_EQ(row.date, "2026-12-01");
    EXPECT_EQ(row.serial, "SN9");
    EXPECT_EQ(row.description, "OPIS 1");
    EXPECT_EQ(row.version, "v2");
}

TEST_F(JobList, SearchListsJobsMatchingEveryActiveTextAndDescribesTheFirstMatch) {
    AppendJobs({{{7, "AB100"}, {26, "Z/1"}, {21, "Firma Jeden\r\nul. Długa 1\r\n"}, {15, "WA 1"}, {31, "o1"}},
                {{7, "AB200"}, {21, "Firma Dwa\r\n"}, {28, "Nowak"}, {18, "VIN2"}, {31, "o2"}},
                {{7, "abc300"}, {26, "Z/3"}, {3, "2026-01-03"}, {15, "WA 3"}, {31, "o3"}}});
    struct Case {
        const char *name;
        std::map<int, std::string> active;  // search edit index -> text
        std::vector<int> recNos;
        std::vector<std::string> descriptions;
    } const cases[] = {
        {"serial alone gives no description", {{0, "AB"}}, {1, 2}, {"o1", "o2"}},
        {"case-sensitive", {{0, "abc"}}, {3}, {"o3"}},
        {"empty text matches only a filled field", {{2, ""}}, {1, 3}, {"nr zlec. Z/1", "nr zlec. Z/3"}},
        {"applicant shows its first line", {{4, "Firma"}}, {1, 2}, {"zgłasz. Firma Jeden", "zgłasz. Firma Dwa"}},
        {"order number before applicant", {{4, "Firma"}, {2, "Z/"}}, {1}, {"nr zlec. Z/1"}},
        {"registration before applicant", {{4, "Firma"}, {7, "WA"}}, {1}, {"nr rej. WA 1"}},
        {"vin before person", {{5, "Nowak"}, {6, "VIN"}}, {2}, {"vin. VIN2"}},
        {"order date", {{3, "01-03"}}, {3}, {"data zlec. 2026-01-03"}},
        {"nothing matches", {{0, "AB"}, {7, "WA 3"}}, {}, {}},
    };
    for (const Case &c : cases) {
        SearchTexts filter;
        for (const auto &[index, text] : c.active) filter[static_cast<size_t>(index)] = text;
        const JobListPage page = Page(0, &filter);
        EXPECT_EQ(RecNos(page), c.recNos) << c.name;
        std::vector<std::string> descriptions;
        for (const storage::JobListRow &row : page.rows) descriptions.push_back(row.description);
        EXPECT_EQ(descriptions, c.descriptions) << c.name;
        EXPECT_EQ(page.visited, 3) << c.name;
        const std::optional<int> start = c.recNos.empty() ? std::nullopt : std::optional<int>(c.recNos[0] - 1);
        EXPECT_EQ(page.pageStart, start) << c.name;
    }
}

TEST_F(JobList, HidingKeepsTheRecordAndItsNumberAndCanBeRepeated) {
    for (int tag = 1; tag <= 3; ++tag) Save(SampleJob(tag));
    Hide(2);
    Hide(2);
    EXPECT_EQ(RecNos(Page(0)), (std::vector<int>{1, 3}));
    EXPECT_EQ(Save(SampleJob(4)), 4);
    ExpectRecords(4);
    EXPECT_THROW(Hide(9), EDatabaseError);
    EXPECT_THROW(Hide(0), EDatabaseError);
}

TEST_F(JobList, HidingTheOnlyJobOfAPageShowsTheFollowingOnes) {
    AppendJobs({{{7, "X1"}}, {{7, "Y2"}}, {{7, "X3"}}});
    SearchTexts filter;
    filter[0] = "X";
    Hide(1);
    EXPECT_EQ(RecNos(Page(0, &filter)), std::vector<int>{3});
}

// Random jobs, saves, hides and filters: every search page equals the scan's, row for row.
TEST_F(JobList, SearchFromTheIndexListsWhatTheScanLists) {
    std::mt19937 random(2026);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto text = [&](int length) {
        std::string out;
        for (int i = 0; i < length; ++i) out += "AB\r\nz"[pick(5)];
        return out;
    };
    const auto jobTexts = [&] {
        std::map<int, std::string> fields;
        for (const int field : {3, 7, 15, 18, 21, 26, 28, 30, 31, 242}) fields[field] = text(pick(5));
        return fields;
    };
    tables::TTable &genData = *jobTables[storage::kGenData];
    int jobs = 0, searches = 0, listed = 0;
    for (int step = 0; step < 400; ++step) {
        const int what = pick(10);
        if (what < 2) {
            std::vector<std::map<int, std::string>> added(static_cast<size_t>(1 + pick(8)));
            for (auto &fields : added) fields = jobTexts();
            AppendJobs(added);
            jobs += static_cast<int>(added.size());
        } else if (what < 3) {
            storage::JobRecord job = SampleJob(step);
            for (const auto &[field, value] : jobTexts()) job[storage::kGenData][field] = value;
            Save(job);
            ++jobs;
        } else if (what < 4 && jobs > 0) {
            Hide(1 + pick(jobs));
        } else {
            SearchTexts filter;
            for (auto &pattern : filter)
                if (pick(3) == 0) pattern = text(pick(3));
            const int start = pick(jobs + 2);
            const JobListPage page = Page(start, &filter);
            genData.Open();
            const JobListPage scanned = ScannedSearch(genData, start, filter);
            genData.Close();
            ASSERT_EQ(page.rows.size(), scanned.rows.size()) << "step " << step;
            for (size_t row = 0; row < page.rows.size(); ++row) {
                const storage::JobListRow &a = page.rows[row], &b = scanned.rows[row];
                ASSERT_EQ(std::tie(a.recNo, a.date, a.serial, a.description, a.version),
                          std::tie(b.recNo, b.date, b.serial, b.description, b.version))
                    << "step " << step << " row " << row;
            }
            ASSERT_EQ(std::tie(page.full, page.visited, page.pageStart),
                      std::tie(scanned.full, scanned.visited, scanned.pageStart))
                << "step " << step;
            ++searches;
            listed += static_cast<int>(page.rows.size());
        }
    }
    EXPECT_GT(searches, 150);
    EXPECT_GT(listed, 500);  // the filters list jobs, not only empty pages
}

// A job table put back from a copy is indexed afresh: its jobs are searched, not the ones before.
TEST_F(JobList, ATableFileReplacedOnDiskIsSearchedAfresh) {
    AppendJobs({{{7, "OLD1"}}, {{7, "OLD2"}}});
    SearchTexts filter;
    filter[0] = "OLD";
    EXPECT_EQ(RecNos(Page(0, &filter)), (std::vector<int>{1, 2}));
    const std::filesystem::path file = jobTables[storage::kGenData]->Path();
    const std::filesystem::path copy = file.string() + ".copy";
    std::filesystem::copy_file(file, copy);
    AppendJobs({{{7, "OLD3"}}});
    Page(0, &filter);
    std::filesystem::remove(file);
    std::filesystem::rename(copy, file);
    AppendJobs({{{7, "NEW3"}}});
    EXPECT_EQ(RecNos(Page(0, &filter)), (std::vector<int>{1, 2}));
    filter[0] = "NEW";
    EXPECT_EQ(RecNos(Page(0, &filter)), (std::vector<int>{3}));
}

// The index read ahead on its own thread lists what the scan lists: with jobs saved and hidden
// after it read them, and with the file replaced by a copy after it read it.
TEST_F(JobList, AnIndexReadAheadListsWhatTheScanLists) {
    tables::TTable &genData = *jobTables[storage::kGenData];
    SearchTexts filter;
    filter[6] = "W";
    const auto expectAsScanned = [&](const char *when) {
        const JobListPage page = Page(0, &filter);
        genData.Open();
        const JobListPage scanned = ScannedSearch(genData, 0, filter);
        genData.Close();
        EXPECT_EQ(RecNos(page), RecNos(scanned)) << when;
        EXPECT_EQ(page.visited, scanned.visited) << when;
    };
    const auto fill = [&] {
        std::vector<std::map<int, std::string>> jobs(5000);
        for (size_t i = 0; i < jobs.size(); ++i)
            jobs[i] = {{7, "SN" + std::to_string(i + 1)}, {18, i % 7 ? "V" : "W"}};
        AppendJobs(jobs);
    };

    fill();
    storage::JobSearchIndex &index = storage::SearchIndexOf(genData);
    index.BuildAhead(genData);
    const auto awaitBuild = [](storage::JobSearchIndex &building) {
        while (building.Building(std::chrono::milliseconds(100))) {
        }
    };
    awaitBuild(index);
    for (const int recNo : {1, 8, 2500, 4999}) Hide(recNo);  // read by the build before they were hidden
    AppendJobs({{{7, "SN5001"}, {18, "W"}}, {{7, "SN5002"}, {18, "W"}}});
    expectAsScanned("saved and hidden since it read");
    EXPECT_EQ(index.Count(), 5002);
    index.BuildAhead(genData);  // an index holding jobs is not read again
    EXPECT_FALSE(index.Building());

    genData.SetTableName((folder / "Second.db").string());
    fill();
    storage::JobSearchIndex &second = storage::SearchIndexOf(genData);
    EXPECT_NE(&second, &index);
    second.BuildAhead(genData);
    awaitBuild(second);
    const std::string path = genData.Path();
    std::filesystem::copy_file(path, path + ".copy");
    {
        tables::TSession other;
        other.AddPassword(storage::TableFileOf(1).password);
        tables::TTable copy(other);
        copy.SetTableName(path + ".copy");
        copy.SetStructure(storage::StructureOf(storage::kGenData));
        copy.Open();
        copy.SetRecNo(15);
        copy.Edit();
        copy.Fields[storage::kHiddenField].SetAsInteger(1);
        copy.Post();
    }
    std::filesystem::rename(path + ".copy", path);
    expectAsScanned("replaced after it read");
}

// One damaged job among sound ones: the page and every search list it with its error, whether the
// search index read it before the damage, on the window's thread or ahead on its own; the sound
// jobs all show, and loading the damaged one reports the same error.
TEST_F(JobList, ADamagedJobKeepsItsRowWithTheErrorInThePageAndInEverySearch) {
    AppendJobs({{{7, "FIND1"}}, {{7, "SN2"}}, {{7, "FIND3"}}, {{7, "FIND4"}}, {{7, "SN5"}}});
    tables::TTable &genData = *jobTables[storage::kGenData];
    SearchTexts filter;
    filter[0] = "FIND";
    Page(0, &filter);  // the program's index reads every job while all are sound
    DamageRecord(genData, 3);
    const std::string error = genData.Path() + ": record 3 is damaged";
    const auto rows = [](const JobListPage &page) {
        std::vector<std::string> shown;
        for (const storage::JobListRow &row : page.rows)
            shown.push_back(std::to_string(row.recNo) + " " + row.serial + row.description);
        return shown;
    };
    EXPECT_EQ(rows(Page(0)),
              (std::vector<std::string>{"1 FIND1", "2 SN2", "3 " + error, "4 FIND4", "5 SN5"}));
    EXPECT_EQ(rows(Page(0, &filter)), (std::vector<std::string>{"1 FIND1", "3 " + error, "4 FIND4"}));

    // Indexes that meet the damage while they read the file.
    const std::vector<std::pair<const char *, bool>> builds{{"window thread", false}, {"read ahead", true}};
    for (const auto &[how, ahead] : builds) {
        storage::JobSearchIndex index;
        genData.Open();
        if (ahead) {
            index.BuildAhead(genData);
            while (index.Building(std::chrono::milliseconds(100))) {
            }
        }
        index.CatchUp(genData);
        index.CatchUp(genData);  // the damaged record, last read or not, keeps the index
        genData.Close();
        ASSERT_EQ(index.Count(), 5) << how;
        const char *const serials[] = {"FIND1", "SN2", "", "FIND4", "SN5"};
        for (int recNo = 1; recNo <= 5; ++recNo) {
            EXPECT_EQ(index.Damaged(recNo), recNo == 3) << how << " " << recNo;
            EXPECT_EQ(index.Text(recNo, 0), serials[recNo - 1]) << how << " " << recNo;
        }
    }
    DamageRecord(genData, 5);  // the last indexed record damaged since: the index is read anew
    EXPECT_EQ(rows(Page(0, &filter)),
              (std::vector<std::string>{"1 FIND1", "3 " + error, "4 FIND4",
                                        "5 " + genData.Path() + ": record 5 is damaged"}));

    try {
        storage::ReadJob(jobTables, 3);
        ADD_FAILURE() << "the damaged job loaded";
    } catch (const EDatabaseError &raised) {
        EXPECT_EQ(raised.what(), error);
    }
}

TEST_F(JobList, AFilterThatMatchesNothingVisitsEveryJobOnce) {
    std::vector<std::map<int, std::string>> jobs(10000);
    for (size_t i = 0; i < jobs.size(); ++i)
        for (const int field : {3, 7, 15, 18, 21, 26, 28, 30, 31})
            jobs[i][field] = "job " + std::to_string(i) + " field " + std::to_string(field);
    AppendJobs(jobs);
    tables::TTable &genData = *jobTables[storage::kGenData];
    genData.Open();
    SearchTexts filter;
    filter[0] = "job";
    filter[6] = "no such VIN";
    const JobListPage page = storage::ReadJobPage(genData, 0, &filter);
    genData.Close();
    EXPECT_TRUE(page.rows.empty());
    EXPECT_EQ(page.visited, 10000);
}

}  // namespace
