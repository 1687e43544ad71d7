// Which files a save syncs, in which order. The test program takes over fsync and fdatasync
// (the library calls them from the C library): it records the file of every sync while a test
// asks for it, and can make the syncs of one path fail; the other syncs still happen.
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "job_tables.h"
#include "platform/runtime/errors.h"

namespace {

std::vector<std::string> *recording = nullptr;
std::string failing;  // syncs of this path fail with EIO

// Records the sync of `fd`; false when it is to fail.
bool Record(int fd) {
    if (!recording && failing.empty()) return true;
    char buffer[4096];
    const ssize_t length = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), buffer, sizeof buffer);
    const std::string path = length > 0 ? std::string(buffer, static_cast<size_t>(length)) : "?";
    if (recording) recording->push_back(path);
    if (path != failing) return true;
    errno = EIO;
    return false;
}

}  // namespace

extern "C" int fsync(int fd) {
    return Record(fd) ? static_cast<int>(syscall(SYS_fsync, fd)) : -1;
}

extern "C" int fdatasync(int fd) {
    return Record(fd) ? static_cast<int>(syscall(SYS_fdatasync, fd)) : -1;
}

namespace tables_test {
namespace {

class SyncOrderTest : public TableTest {
protected:
    void TearDown() override {
        recording = nullptr;
        failing.clear();
        TableTest::TearDown();
    }
    void StartRecording() {
        synced_.clear();
        recording = &synced_;
    }
    // The recorded syncs, files named relative to the scratch folder and the folder as "folder";
    // a super-journal, whose name ends in random letters, as "super-journal".
    std::vector<std::string> StopRecording() {
        recording = nullptr;
        const std::string folder = std::filesystem::canonical(folder_).string();
        std::vector<std::string> names;
        for (const std::string &path : synced_) {
            if (path == folder)
                names.push_back("folder");
            else if (path.find("-mj") != std::string::npos)
                names.push_back("super-journal");
            else
                names.push_back(path.rfind(folder + "/", 0) == 0 ? path.substr(folder.size() + 1) : path);
        }
        return names;
    }
    // A commit across the ten tables: the super-journal and the folder, then each table's
    // journal (its pages, then its header) and the table, and the folder after the super-journal
    // is removed. One folder sync covers the ten journals and the super-journal made before it.
    static std::vector<std::string> TenTableCommit() {
        std::vector<std::string> syncs = {"super-journal", "folder"};
        for (const JobFile &file : kJobFiles) {
            const std::string journal = std::string(file.file) + "-journal";
            syncs.insert(syncs.end(), {journal, journal, file.file});
        }
        syncs.push_back("folder");
        return syncs;
    }

    std::vector<std::string> synced_;
};

TEST_F(SyncOrderTest, EveryCommitAcrossTenTablesSyncsTheFolderBeforeTheJournalsAndAfterTheCommitPoint) {
    tables::TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    for (const char *tag : {"first", "second"}) {  // the second finds the first's journals removed
        StartRecording();
        job.StartTransaction(session);
        job.AppendJob(tag);
        session.Commit();
        EXPECT_EQ(StopRecording(), TenTableCommit()) << tag;
    }
    job.ExpectJobs(2, "second");
}

TEST_F(SyncOrderTest, APostOutsideATransactionSyncsTheFolderOfItsNewJournal) {
    tables::TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    job.AppendJob("before");
    StartRecording();
    job[0].Append();
    job[0].Post();
    EXPECT_EQ(StopRecording(), (std::vector<std::string>{"GenData.db-journal", "folder", "GenData.db-journal",
                                                         "GenData.db"}));
}

// The folder sync that makes the new journals durable is not passed over when it fails: the
// commit fails and rolls back, and the tables keep what they had.
TEST_F(SyncOrderTest, AFailingFolderSyncFailsTheCommitAndLeavesTheTablesAsBefore) {
    tables::TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    job.AppendJob("kept");
    job.StartTransaction(session);
    job.AppendJob("not synced");
    failing = std::filesystem::canonical(folder_).string();
    EXPECT_THROW(session.Commit(), EDatabaseError);
    failing.clear();
    EXPECT_FALSE(session.InTransaction());
    job.ExpectJobs(1, "kept");
}

}  // namespace
}  // namespace tables_test
