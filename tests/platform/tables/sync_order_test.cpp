// Which files a save syncs, in which order. The test program takes over fsync and fdatasync
// (the library calls them from the C library) and records the file of every sync while a test
// asks for it; the syncs themselves still happen.
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "job_tables.h"

namespace {

std::vector<std::string> *recording = nullptr;

void Record(int fd) {
    if (!recording) return;
    char path[4096];
    const ssize_t length = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path);
    recording->push_back(length > 0 ? std::string(path, static_cast<size_t>(length)) : "?");
}

}  // namespace

extern "C" int fsync(int fd) {
    Record(fd);
    return static_cast<int>(syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
    Record(fd);
    return static_cast<int>(syscall(SYS_fdatasync, fd));
}

namespace tables_test {
namespace {

class SyncOrderTest : public TableTest {
protected:
    void TearDown() override {
        recording = nullptr;
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

}  // namespace
}  // namespace tables_test
