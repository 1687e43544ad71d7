// Which files a save syncs, in which order. The test program takes over fsync and fdatasync
// (the library calls them from the C library): it records the file of every sync while a test
// asks for it, and can make the syncs of one path fail; the other syncs still happen.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

#include "job_tables.h"
#include "platform/runtime/errors.h"
#include "platform/tables/super_journals.h"

namespace {

std::vector<std::string> *recording = nullptr;
std::vector<unsigned> *modes = nullptr;  // the permission bits of each recorded file
std::string failing;                     // syncs of this path fail with EIO
std::string dying;                       // the process ends at the first sync of this path

// Records the sync of `fd`; false when it is to fail.
bool Record(int fd) {
    if (!recording && failing.empty() && dying.empty()) return true;
    char buffer[4096];
    const ssize_t length = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), buffer, sizeof buffer);
    const std::string path = length > 0 ? std::string(buffer, static_cast<size_t>(length)) : "?";
    if (path == dying) _exit(9);
    if (recording) recording->push_back(path);
    struct stat status {};
    if (recording && modes && fstat(fd, &status) == 0) modes->push_back(status.st_mode & 07777);
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
        modes = nullptr;
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

// Tables, journals and the super-journal hold job data: the owner alone may read them.
TEST_F(SyncOrderTest, EveryFileASaveWritesIsTheOwnersAlone) {
    const mode_t previous = umask(0);  // the widest the program could meet
    tables::TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    std::vector<unsigned> seen;
    modes = &seen;
    StartRecording();
    job.StartTransaction(session);
    job.AppendJob("private");
    session.Commit();
    const std::vector<std::string> files = StopRecording();
    umask(previous);
    ASSERT_EQ(seen.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        if (files[i] != "folder") {
            EXPECT_EQ(seen[i], 0600u) << files[i];
        }
    }
    for (const JobFile &file : kJobFiles)
        EXPECT_EQ(std::filesystem::status(PathOf(file.file)).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
            << file.file;
}

TEST_F(SyncOrderTest, APostOutsideATransactionSyncsTheFolderOfItsNewJournal) {
    tables::TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    job.AppendJob("before");
    StartRecording();
    job[0].Append();
    job[0].Post();
    EXPECT_EQ(StopRecording(),
              (std::vector<std::string>{"GenData.db-journal", "folder", "GenData.db-journal", "GenData.db"}));
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

// Killed after its super-journal is made and before any journal names it, a commit leaves the
// super-journal behind; the next start-up removes it once the tables are open again.
TEST_F(SyncOrderTest, ASuperJournalLeftByAKilledCommitIsRemovedAtTheNextStart) {
    {
        tables::TSession session;
        JobTables job(session, folder_);
        job.OpenAll();
        job.AppendJob("kept");
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        tables::TSession session;
        JobTables job(session, folder_);
        job.OpenAll();
        job.StartTransaction(session);
        job.AppendJob("cut");
        dying = std::filesystem::canonical(folder_).string();
        session.Commit();
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9) << status;
    const auto supers = [&] {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(folder_))
            if (entry.path().filename().string().find("-mj") != std::string::npos)
                names.push_back(entry.path().filename().string());
        return names;
    };
    ASSERT_EQ(supers().size(), 1u);
    const std::string left = supers()[0];
    {
        tables::TSession session;
        JobTables job(session, folder_);
        job.ExpectJobs(1, "kept");  // opening rolls the journals back
    }
    EXPECT_EQ(tables::RemoveOrphanSuperJournals(folder_.string()), std::vector<std::string>{left});
    EXPECT_TRUE(supers().empty());
}

// A super-journal stays while a journal names it or another process writes a table it concerns,
// and when its name is not a super-journal's.
TEST_F(SyncOrderTest, ASuperJournalAJournalOrAWriterMayStillNeedStays) {
    {
        tables::TSession session;
        JobTables job(session, folder_);
        job.OpenAll();
    }
    const auto put = [&](const std::string &name, const std::string &content) {
        std::ofstream(PathOf(name), std::ios::binary | std::ios::trunc) << content;
    };
    // A live journal whose tail names `super`: header, name, length, checksum, magic.
    const std::string magic = "\xd9\xd5\x05\xf9\x20\xa1\x63\xd7";
    const auto naming = [&](const std::string &super) {
        std::string tail = magic + std::string(592, 'j') + super;
        tail += {0, 0, 0, static_cast<char>(super.size()), 0, 0, 0, 0};
        tail += magic;
        return tail;
    };
    put("zakres.db-journal", naming(PathOf("GenData.db-mj11111198F")));
    put("GenData.db-mj11111198F", PathOf("zakres.db-journal") + '\0');  // named by its journal
    put("GenData.db-mj0A1B2C9D4", PathOf("zakres.db-journal") + '\0');  // listing it, not named
    put("GenData.db-mjABCDEF900", "");
    put("WynikiC.db-mj0000019AB", PathOf("GenData.db-journal") + '\0');  // its table is written
    put("GenData.db-mj0000029AB", PathOf("WynikiC.db-journal") + '\0');  // a listed table is
    // A finished journal (its header cleared) still ending with the name of a super-journal.
    put("LicznikiD.db-journal", std::string(8, '\0') + naming(PathOf("GenData.db-mj22222298F")).substr(8));
    put("GenData.db-mj22222298F", PathOf("LicznikiD.db-journal") + '\0');
    put("notes-mj.txt", "");
    put("GenData.db-mj1234569ZZ", "");

    int ready[2], finish[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(finish), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {  // writes WynikiC.db until told to end
        close(finish[1]);
        tables::TSession session;
        tables::TTable results(session);
        Configure(results, "WynikiC.db", ChildStructure(kJobFiles[2].width));
        results.Open();
        tables::TransactionScope transaction(session, {&results});
        results.Append();
        results.Post();
        char byte = 1;
        if (::write(ready[1], &byte, 1) != 1 || read(finish[0], &byte, 1) < 0) _exit(1);
        _exit(0);
    }
    // The writer ends however the checks go.
    struct Ending {
        int fd;
        pid_t child;
        void operator()() {
            if (fd < 0) return;
            close(fd);
            fd = -1;
            waitpid(child, nullptr, 0);
        }
        ~Ending() { (*this)(); }
    } ending{finish[1], child};
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    EXPECT_EQ(tables::RemoveOrphanSuperJournals(folder_.string()),
              (std::vector<std::string>{"GenData.db-mj0A1B2C9D4", "GenData.db-mj22222298F",
                                        "GenData.db-mjABCDEF900"}));
    ending();
    EXPECT_EQ(tables::RemoveOrphanSuperJournals(folder_.string()),
              (std::vector<std::string>{"GenData.db-mj0000029AB", "WynikiC.db-mj0000019AB"}));
    for (const char *kept : {"GenData.db-mj11111198F", "notes-mj.txt", "GenData.db-mj1234569ZZ"})
        EXPECT_TRUE(std::filesystem::exists(PathOf(kept))) << kept;
    for (int fd : {ready[0], ready[1], finish[0]}) close(fd);
}

}  // namespace
}  // namespace tables_test
