// The job files at start-up, and damaged job records as the list and the loader meet them.
#include "storage/job_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/runtime/errors.h"
#include "storage/job_list.h"
#include "storage/job_load.h"
#include "tests/storage/job_tables_fixture.h"

namespace {

namespace fs = std::filesystem;

class JobFiles : public JobTablesFixture {
protected:
    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::string File(int table) const { return (folder / storage::TableFileOf(table + 1).file).string(); }
    int Records(int table) {
        tables::TTable &t = *jobTables[static_cast<size_t>(table)];
        t.Open();
        const int count = t.RecordCount();
        t.Close();
        return count;
    }
};

TEST_F(JobFiles, TheFirstStartCreatesAllTenAndLaterStartsOpenThem) {
    storage::OpenJobFiles(jobTables);
    EXPECT_EQ(Files().size(), 10u);
    for (int t = 0; t < storage::kJobTableCount; ++t) EXPECT_TRUE(fs::exists(File(t))) << t;
    EXPECT_EQ(Save(SampleJob(1)), 1);
    std::ofstream(folder / "GenData.db-mj5EC60A96C") << (folder / "GenData.db-journal").string() << '\0';
    storage::OpenJobFiles(jobTables);
    EXPECT_FALSE(fs::exists(folder / "GenData.db-mj5EC60A96C"));  // left by a killed save
    EXPECT_EQ(Save(SampleJob(2)), 2);
}

// While no table holds a job, missing files are made (a first start cut short); once one does,
// a missing file is an error naming it, nothing is made, and the job numbers go on once restored.
TEST_F(JobFiles, AMissingJobFileBesideTablesHoldingJobsIsAnErrorAndNothingIsCreated) {
    storage::OpenJobFiles(jobTables);
    fs::remove(File(storage::kWynikiD));
    fs::remove(File(storage::kLegZU));
    std::ofstream(File(storage::kGenData2), std::ios::trunc).close();  // zero length: made anew too
    storage::OpenJobFiles(jobTables);
    EXPECT_EQ(Files().size(), 10u);
    EXPECT_GT(fs::file_size(File(storage::kGenData2)), 0u);

    EXPECT_EQ(Save(SampleJob(1)), 1);
    EXPECT_EQ(Save(SampleJob(2)), 2);
    struct Case {
        std::vector<int> missing;
        std::string named;
    };
    const Case cases[] = {
        {{storage::kGenData}, "GenData.db: the job table file is missing"},
        {{storage::kWynikiD2, storage::kLegZU}, "WynikiD2.db, "},
        {{storage::kGenData, storage::kWynikiD, storage::kWynikiC, storage::kLicznikiD, storage::kAddInt64,
          storage::kGenData2, storage::kWynikiD2, storage::kWynikiC2, storage::kLicznikiD2},
         "GenData.db, "},
    };
    for (const Case &c : cases) {
        for (const int t : c.missing) fs::rename(File(t), File(t) + ".away");
        const std::set<std::string> before = Files();
        try {
            storage::OpenJobFiles(jobTables);
            ADD_FAILURE() << c.named << ": no error";
        } catch (const EDatabaseError &error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.named), std::string::npos) << message;
            for (const int t : c.missing)
                EXPECT_NE(message.find(storage::TableFileOf(t + 1).file), std::string::npos) << message;
        }
        EXPECT_EQ(Files(), before) << c.named;
        for (const int t : c.missing) fs::rename(File(t) + ".away", File(t));
    }
    storage::OpenJobFiles(jobTables);
    EXPECT_EQ(Save(SampleJob(3)), 3);

    // A file that goes missing after the start is not made by a save either.
    fs::remove(File(storage::kGenData));
    EXPECT_THROW(Save(SampleJob(4)), EDatabaseError);
    EXPECT_FALSE(fs::exists(File(storage::kGenData)));
    EXPECT_EQ(Records(storage::kWynikiD), 3);
}

// The files opened open descriptors of this process.
int OpenDescriptors() {
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// Opening ahead holds the folder first, creates nothing, and leaves each file's connection for the
// window's own open (no file is opened again); a folder another program holds is not touched.
TEST_F(JobFiles, OpeningAheadHoldsTheFolderAndLeavesItsConnectionsToTheWindowsOpen) {
    const auto heldElsewhere = [&] {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    };
    EXPECT_EQ(storage::WaitForTablesOpenedAhead(), nullptr);  // none started
    {
        tables::TSession other;
        storage::OpenTablesAhead(other, folder);
        const std::shared_ptr<const void> hold = storage::WaitForTablesOpenedAhead();
        EXPECT_NE(hold, nullptr);
        EXPECT_TRUE(heldElsewhere());
        EXPECT_TRUE(Files().empty());
    }
    EXPECT_FALSE(heldElsewhere());

    storage::OpenJobFiles(jobTables);
    ASSERT_EQ(Save(SampleJob(1)), 1);
    tables::TSession later;
    std::array<std::unique_ptr<tables::TTable>, storage::kJobTableCount> reopened;
    storage::JobTables laterTables{};
    for (int t = 0; t < storage::kJobTableCount; ++t) {
        auto &table = reopened[static_cast<size_t>(t)];
        table = std::make_unique<tables::TTable>(later);
        table->SetTableName(File(t));
        table->SetStructure(storage::StructureOf(t));
        table->SetExpectedPassword(storage::TableFileOf(t + 1).password);
        laterTables[static_cast<size_t>(t)] = table.get();
    }
    storage::OpenTablesAhead(later, folder);
    std::shared_ptr<const void> hold = storage::WaitForTablesOpenedAhead();
    const int descriptors = OpenDescriptors();
    storage::OpenJobFiles(laterTables);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_EQ(storage::SaveJob(later, laterTables, SampleJob(2), {}), 2);
    ExpectRecords(2);
    hold.reset();

    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    tables::TSession refused;
    storage::OpenTablesAhead(refused, folder);
    EXPECT_EQ(storage::WaitForTablesOpenedAhead(), nullptr);
    ::close(fd);
}

// Four bytes flipped in each page of GenData.db in turn: the list shows every job as saved or marks
// its row damaged, and the loader gives what was saved or raises; a damaged job never shows as a
// job with empty fields.
TEST_F(JobFiles, TheListAndTheLoaderReportADamagedJobInsteadOfShowingItEmpty) {
    storage::OpenJobFiles(jobTables);
    for (int n = 1; n <= 3; ++n) Save(SampleJob(n));
    tables::TTable &genData = *jobTables[storage::kGenData];
    genData.Open();
    const storage::JobListPage intactPage = storage::ReadJobPage(genData, 0, nullptr);
    genData.Close();
    ASSERT_EQ(intactPage.rows.size(), 3u);
    std::vector<storage::LoadedJob> intactJobs;
    for (int n = 1; n <= 3; ++n) intactJobs.push_back(storage::ReadJob(jobTables, n));

    const std::string path = File(storage::kGenData);
    fs::copy_file(path, path + ".intact");
    const auto pages = static_cast<int>(fs::file_size(path) / 4096);
    int listReported = 0, loaderReported = 0;
    for (int page = 1; page < pages; ++page) {
        // A new file (a new inode), so that no connection kept from before reads its cached pages.
        fs::remove(path);
        fs::copy_file(path + ".intact", path);
        {
            std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
            file.seekp(std::streamoff{page} * 4096 + 2048);
            file.write("\x5A\xA5\x5A\xA5", 4);
        }
        const auto damaged = [](const EDatabaseError &error) {
            const std::string message = error.what();
            return message.find("GenData.db: record ") != std::string::npos &&
                   message.find(" is damaged") != std::string::npos;
        };
        try {
            genData.Open();
            const storage::JobListPage listed = storage::ReadJobPage(genData, 0, nullptr);
            // Every job keeps its row: as saved, or marked damaged with the error.
            ASSERT_EQ(listed.rows.size(), 3u) << "page " << page;
            for (size_t row = 0; row < 3; ++row) {
                EXPECT_EQ(listed.rows[row].recNo, static_cast<int>(row) + 1);
                if (listed.rows[row].description ==
                    path + ": record " + std::to_string(row + 1) + " is damaged") {
                    ++listReported;
                    EXPECT_EQ(listed.rows[row].serial, "") << "page " << page;
                    continue;
                }
                EXPECT_EQ(listed.rows[row].date, intactPage.rows[row].date) << "page " << page;
                EXPECT_EQ(listed.rows[row].serial, intactPage.rows[row].serial) << "page " << page;
                EXPECT_EQ(listed.rows[row].version, intactPage.rows[row].version) << "page " << page;
            }
        } catch (const EDatabaseError &error) {
            EXPECT_FALSE(damaged(error)) << error.what();  // a damaged record no longer hides its page
        }
        genData.Close();
        for (int n = 1; n <= 3; ++n) {
            try {
                const storage::LoadedJob loaded = storage::ReadJob(jobTables, n);
                EXPECT_EQ(loaded.Values(), intactJobs[static_cast<size_t>(n - 1)].Values())
                    << "page " << page;
            } catch (const EDatabaseError &error) {
                loaderReported += damaged(error);
            }
        }
    }
    EXPECT_GT(listReported, 0);
    EXPECT_GT(loaderReported, 0);
}

}  // namespace
